#include "data/param_info.h"

#include "core/error.h"
#include "data/data_notices.h"
#include "data/field_format.h"
#include "data/params.h"

#include <QLocale>

namespace {

TVelParamControlFactory& controlFactory()
{
    static TVelParamControlFactory factory;
    return factory;
}

} // namespace

TVelParamInfo::TVelParamInfo(TComponent* owner) : TComponent(owner) {}

TVelParamInfo::~TVelParamInfo() = default;

void TVelParamInfo::loadValue()
{
    if (m_onLoadValue)
        m_onLoadValue(*this);
}

void TVelParamInfo::storeValue()
{
    if (m_onStoreValue)
        m_onStoreValue(*this);
}

void TVelParamInfo::setControlFactory(TVelParamControlFactory factory)
{
    controlFactory() = std::move(factory);
}

std::unique_ptr<IVelParamControl> TVelParamInfo::createControl(IVelParamControl::Kind kind, TComponent* owner)
{
    if (controlFactory())
        return controlFactory()(kind, owner);
    return std::make_unique<TVelParamValueControl>(kind);
}

void TVelParamInfoList::clear()
{
    while (!m_lines.isEmpty())
        delete m_lines.takeFirst();
}

namespace paramvalues {

namespace {

using Kind = IVelParamControl::Kind;

void loadPicker(IVelParamControl& control, const TParam& param)
{
    if (param.isNull()) {
        control.setDateTime(QDateTime::currentDateTime());
        return;
    }
    const QVariant value = param.value();
    QDateTime shown = control.dateTime().isValid() ? control.dateTime() : QDateTime::currentDateTime();
    switch (param.dataType()) {
    case TFieldType::ftDate:
        shown.setDate(value.metaType().id() == QMetaType::QDateTime ? value.toDateTime().date() : value.toDate());
        break;
    case TFieldType::ftTime:
        shown.setTime(value.metaType().id() == QMetaType::QDateTime ? value.toDateTime().time() : value.toTime());
        break;
    default:
        shown = value.metaType().id() == QMetaType::QDate ? value.toDate().startOfDay() : value.toDateTime();
        break;
    }
    control.setDateTime(shown);
}

void loadInto(IVelParamControl& control, const TParam& param)
{
    switch (control.kind()) {
    case Kind::DateTimePicker:
        loadPicker(control, param);
        break;
    case Kind::CheckBox:
        control.setChecked(!param.isNull() && param.value().toBool());
        break;
    case Kind::Edit:
        control.setText(param.isNull() ? QString() : fieldformat::plainText(param.value()));
        break;
    }
}

qint64 integerOf(const QString& text)
{
    bool ok = false;
    const qint64 value = QLocale().toLongLong(text.trimmed(), &ok);
    if (!ok)
        throw EVelError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

double floatOf(const QString& text)
{
    bool ok = false;
    const double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        throw EVelError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

QDate dateOf(const QString& text)
{
    const QLocale locale;
    QDate date = locale.toDate(text.trimmed(), locale.dateFormat(QLocale::ShortFormat));
    if (!date.isValid())
        date = locale.toDate(text.trimmed(), QString(locale.dateFormat(QLocale::ShortFormat)).replace(QLatin1String("yy"), QLatin1String("yyyy")));
    if (!date.isValid())
        date = QDate::fromString(text.trimmed(), Qt::ISODate);
    if (!date.isValid())
        throw EVelError(QStringLiteral("'%1' is not a valid date").arg(text));
    return date;
}

QTime timeOf(const QString& text)
{
    const QLocale locale;
    for (const QString& format : {locale.timeFormat(QLocale::ShortFormat), locale.timeFormat(QLocale::LongFormat),
                                  QStringLiteral("HH:mm:ss"), QStringLiteral("HH:mm")}) {
        const QTime time = locale.toTime(text.trimmed(), format);
        if (time.isValid())
            return time;
    }
    throw EVelError(QStringLiteral("'%1' is not a valid time").arg(text));
}

QDateTime dateTimeOf(const QString& text)
{
    const QString trimmed = text.trimmed();
    const qsizetype space = trimmed.indexOf(u' ');
    if (space < 0)
        return dateOf(trimmed).startOfDay();
    try {
        return QDateTime(dateOf(trimmed.left(space)), timeOf(trimmed.mid(space + 1)));
    } catch (const EVelError&) {
        throw EVelError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    }
}

} // namespace

void load(TVelParamInfo& line)
{
    if (!line.control() || !line.param())
        return;
    try {
        loadInto(*line.control(), *line.param());
    } catch (...) {
        datanotices::beep();
    }
}

void store(TVelParamInfo& line)
{
    IVelParamControl* control = line.control();
    TParam* param = line.param();
    if (!control || !param)
        return;
    const bool picker = control->kind() == Kind::DateTimePicker;
    switch (param->dataType()) {
    case TFieldType::ftString:
    case TFieldType::ftFixedChar:
    case TFieldType::ftWideString:
        param->setValue(control->text());
        break;
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftLargeint:
    case TFieldType::ftWord:
        param->setValue(integerOf(control->text()));
        break;
    case TFieldType::ftBoolean:
        param->setValue(control->checked());
        break;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        param->setValue(floatOf(control->text()));
        break;
    case TFieldType::ftDate:
        param->setValue(picker ? control->dateTime().date() : dateOf(control->text()));
        break;
    case TFieldType::ftTime:
        param->setValue(picker ? control->dateTime().time() : timeOf(control->text()));
        break;
    case TFieldType::ftDateTime:
        param->setValue(picker ? control->dateTime() : dateTimeOf(control->text()));
        break;
    default:
        break;
    }
}

} // namespace paramvalues

IVelParamControl::Kind IVelParamControl::kindFor(TFieldType type)
{
    switch (type) {
    case TFieldType::ftBoolean:
        return Kind::CheckBox;
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
        return Kind::DateTimePicker;
    default:
        return Kind::Edit;
    }
}
