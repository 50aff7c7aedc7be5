#include "core/picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

namespace {

QString graphicClassFor(const QByteArray& format)
{
    if (format == "bmp")
        return QStringLiteral("TBitmap");
    if (format == "jpeg" || format == "jpg")
        return QStringLiteral("TJPEGImage");
    if (format == "png")
        return QStringLiteral("TPngImage");
    if (format == "ico")
        return QStringLiteral("TIcon");
    return {};
}

bool hasLengthPrefix(const QString& graphicClass)
{
    return graphicClass != QLatin1String("TIcon");
}

} // namespace

TPicture::TPicture(QObject* parent) : TPersistent(parent) {}

bool TPicture::loadFromData(const QByteArray& fileBytes)
{
    QBuffer buffer;
    buffer.setData(fileBytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QString graphicClass = graphicClassFor(reader.format());
    if (graphicClass.isEmpty())
        return false;
    QImage image = reader.read();
    if (image.isNull())
        return false;
    m_graphicClass = graphicClass;
    m_data = fileBytes;
    m_image = std::move(image);
    changed();
    return true;
}

bool TPicture::loadFromFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && loadFromData(file.readAll());
}

void TPicture::clear()
{
    m_graphicClass.clear();
    m_data.clear();
    m_image = QImage();
    changed();
}

QByteArray TPicture::toStoredData() const
{
    if (isEmpty())
        return {};
    const QByteArray name = m_graphicClass.toLatin1();
    QByteArray stored;
    stored.append(char(name.size()));
    stored.append(name);
    if (hasLengthPrefix(m_graphicClass)) {
        char length[4];
        qToLittleEndian<qint32>(qint32(m_data.size()), length);
        stored.append(length, 4);
    }
    stored.append(m_data);
    return stored;
}

bool TPicture::fromStoredData(const QByteArray& stored)
{
    if (stored.isEmpty())
        return false;
    const int nameLength = quint8(stored.at(0));
    if (stored.size() < 1 + nameLength)
        return false;
    const QString graphicClass = QString::fromLatin1(stored.mid(1, nameLength));
    QByteArray data = stored.mid(1 + nameLength);
    if (hasLengthPrefix(graphicClass)) {
        if (data.size() < 4)
            return false;
        const qint32 length = qFromLittleEndian<qint32>(data.constData());
        if (length < 0 || length > data.size() - 4)
            return false;
        data = data.mid(4, length);
    }
    return loadFromData(data);
}

void TPicture::defineProperties(TPropertyDefiner& definer)
{
    definer.defineProperty(
        QStringLiteral("Data"),
        [this](const TStreamValue& value) { fromStoredData(value.bytes()); },
        [this]() { return TStreamValue::binary(toStoredData()); }, !isEmpty());
}

void TPicture::assign(const TPersistent& source)
{
    if (auto* picture = qobject_cast<const TPicture*>(&source)) {
        m_graphicClass = picture->m_graphicClass;
        m_data = picture->m_data;
        m_image = picture->m_image;
        changed();
    }
}
