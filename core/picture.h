// TPicture: a picture property. Files store it as the extra binary value "Data": the
// graphic class name as a short string, then that graphic's own data (for TBitmap,
// TJPEGImage and TPngImage a 32-bit length and the file bytes; for TIcon the icon file).
#pragma once

#include "core/persistent.h"

#include <QByteArray>
#include <QImage>

class TPicture : public TPersistent {
    Q_OBJECT
public:
    explicit TPicture(QObject* parent = nullptr);

    bool isEmpty() const { return m_data.isEmpty(); }
    const QImage& image() const { return m_image; }
    // The graphic class the picture is stored as ("TBitmap", "TJPEGImage", "TPngImage", "TIcon").
    QString graphicClass() const { return m_graphicClass; }
    // The picture's file bytes as stored (BMP, JPEG, PNG or ICO).
    const QByteArray& fileData() const { return m_data; }

    // Takes a picture file's bytes; false (and no change) when they are not a picture.
    bool loadFromData(const QByteArray& fileBytes);
    bool loadFromFile(const QString& path);
    void clear();

    // The stored form of "Data", and reading it back; false when it cannot be read.
    QByteArray toStoredData() const;
    bool fromStoredData(const QByteArray& stored);

    void defineProperties(TPropertyDefiner& definer) override;
    void assign(const TPersistent& source) override;

private:
    QString m_graphicClass;
    QByteArray m_data;
    QImage m_image;
};
