#include "core/class_registry.h"

#include "core/component.h"

#include <QFile>
#include <QPainter>
#include <QPolygon>

namespace {

const QString kUnknown = QStringLiteral("?????");

QImage resourceImage(const QString& name)
{
    const QString path = QStringLiteral(":/palette/%1.png").arg(name);
    if (!QFile::exists(path))
        return {};
    return QImage(path);
}

// The palette's three arrows, drawn rather than shipped.
QImage arrowImage(const QString& name)
{
    QImage image(24, 24, QImage::Format_ARGB32);
    image.fill(QColor(192, 192, 192));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::black);
    painter.setPen(Qt::NoPen);
    QPolygon shape;
    if (name == QLatin1String("BLEFT"))
        shape << QPoint(15, 5) << QPoint(7, 12) << QPoint(15, 19);
    else if (name == QLatin1String("BRIGHT"))
        shape << QPoint(9, 5) << QPoint(17, 12) << QPoint(9, 19);
    else
        shape << QPoint(7, 4) << QPoint(7, 20) << QPoint(11, 16) << QPoint(14, 21) << QPoint(16, 20)
              << QPoint(13, 15) << QPoint(18, 15);
    painter.drawPolygon(shape);
    return image;
}

// The bottom-left pixel's colour is the transparent colour of a palette image.
QImage withTransparency(const QImage& source)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == transparent)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return image;
}

} // namespace

TClassRegistry& TClassRegistry::instance()
{
    static TClassRegistry registry;
    return registry;
}

TClassRegistry::TClassRegistry() : m_imageSource(resourceImage)
{
    clear();
}

void TClassRegistry::clear()
{
    m_classes.clear();
    m_pages.clear();
    m_images.clear();
    for (const char* arrow : {"BARROW", "BLEFT", "BRIGHT"})
        m_images.append(withTransparency(arrowImage(QString::fromLatin1(arrow))));
}

void TClassRegistry::registerClasses(const QString& page, const QList<TClassInfo>& classes)
{
    for (const TClassInfo& info : classes) {
        const QString name = QString::fromLatin1(info.metaObject->className());
        if (!findClass(name))
            m_classes.append(info);
        if (page.isEmpty())
            continue;
        int pageIndex = findPage(page);
        if (pageIndex < 0) {
            m_pages.append({page, {}});
            pageIndex = int(m_pages.size()) - 1;
        }
        TPaletteEntry entry{info.metaObject, name, -1};
        if (name != QLatin1String("TDataSource") && name != QLatin1String("TRpName"))
            entry.imageIndex = addImage(name);
        m_pages[pageIndex].entries.append(entry);
    }
}

int TClassRegistry::addImage(const QString& name)
{
    const QImage image = m_imageSource ? m_imageSource(name) : QImage();
    if (image.isNull())
        return -1;
    m_images.append(withTransparency(image));
    return int(m_images.size()) - 1;
}

bool TClassRegistry::isRegistered(QStringView className) const
{
    return findClass(className) != nullptr;
}

const QMetaObject* TClassRegistry::findClass(QStringView className) const
{
    for (const TClassInfo& info : m_classes) {
        if (className.compare(QLatin1String(info.metaObject->className()), Qt::CaseInsensitive) == 0)
            return info.metaObject;
    }
    return nullptr;
}

TComponent* TClassRegistry::create(QStringView className, TComponent* owner) const
{
    for (const TClassInfo& info : m_classes) {
        if (className.compare(QLatin1String(info.metaObject->className()), Qt::CaseInsensitive) == 0)
            return info.create(owner);
    }
    return nullptr;
}

int TClassRegistry::findPage(const QString& name) const
{
    for (int i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i].name == name)
            return i;
    }
    return -1;
}

TPaletteEntry* TClassRegistry::findEntry(QStringView className, int* pageIndex)
{
    for (int p = 0; p < m_pages.size(); ++p) {
        for (TPaletteEntry& entry : m_pages[p].entries) {
            if (className.compare(QLatin1String(entry.metaObject->className()), Qt::CaseInsensitive) == 0) {
                if (pageIndex)
                    *pageIndex = p;
                return &entry;
            }
        }
    }
    return nullptr;
}

void TClassRegistry::setCaption(QStringView className, int stringId)
{
    TPaletteEntry* entry = findEntry(className);
    if (!entry)
        return;
    const QString text = m_strings ? m_strings(stringId) : QString();
    entry->caption = text.isEmpty() ? entry->className() : text;
}

TClassDescription TClassRegistry::describe(QStringView className) const
{
    TPaletteEntry* entry = const_cast<TClassRegistry*>(this)->findEntry(className);
    if (!entry)
        return {false, className.mid(1).toString(), 0};
    return {true, entry->caption, entry->imageIndex};
}

void TClassRegistry::move(const QString& page, QStringView className)
{
    int from = -1;
    TPaletteEntry* found = findEntry(className, &from);
    if (!found)
        return;
    const TPaletteEntry entry = *found;
    m_pages[from].entries.removeIf([&](const TPaletteEntry& e) { return e.metaObject == entry.metaObject; });
    int to = findPage(page);
    if (to < 0) {
        m_pages.prepend({page, {}});
        to = 0;
    }
    m_pages[to].entries.prepend(entry);
}

QString TClassRegistry::pageName(int page) const
{
    return page >= 0 && page < m_pages.size() ? m_pages[page].name : kUnknown;
}

int TClassRegistry::entryCount(int page) const
{
    return page >= 0 && page < m_pages.size() ? int(m_pages[page].entries.size()) : -1;
}

std::optional<TPaletteEntry> TClassRegistry::entry(int page, int index) const
{
    if (page < 0 || page >= m_pages.size() || index < 0 || index >= m_pages[page].entries.size())
        return std::nullopt;
    return m_pages[page].entries[index];
}

QString TClassRegistry::className(int page, int index) const
{
    const auto found = entry(page, index);
    return found ? found->className() : kUnknown;
}
