// The resources every page of a document shares: fonts, images, patterns and alpha
// states, each written once and named in one resource dictionary at the end.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QRawFont>
#include <QSize>
#include <QString>
#include <Qt>

#include <memory>
#include <vector>

class QImage;
class QTransform;
class TRpPdfFile;
class TRpPdfFont;

struct TRpPdfImageRef {
    QByteArray name; // "Im1"
    int object = 0;
    QSize size;
};

class TRpPdfResources {
public:
    explicit TRpPdfResources(TRpPdfFile& file);
    ~TRpPdfResources();

    // The embedded font of the face, made on first use; null for a face without
    // TrueType outlines (or with damaged tables), whose glyphs are drawn as outlines.
    TRpPdfFont* font(const QRawFont& face);

    // Where images come from: the cache keys of images and pixmaps are counted apart.
    enum class TImageSource { Image, Pixmap };
    // The image already written under that cache key, or null.
    const TRpPdfImageRef* findImage(TImageSource source, qint64 cacheKey) const;
    // Writes the image; a cache key of 0 means it is not kept for reuse.
    const TRpPdfImageRef& addImage(const QImage& image, TImageSource source, qint64 cacheKey);

    // A tiling pattern of a hatch brush style; `patternToPage` maps the 8 × 8 cell to the
    // page's default space (points, y up).
    QByteArray hatchPattern(Qt::BrushStyle style, const QTransform& patternToPage);
    // A tiling pattern repeating an image, one image size per cell.
    QByteArray imagePattern(const TRpPdfImageRef& image, const QTransform& patternToPage);
    // The ExtGState setting these alpha values; empty when both are opaque.
    QByteArray alphaState(double fillAlpha, double strokeAlpha);

    // Writes the resource dictionary as that object, then every font.
    void write(int objectNumber);

private:
    struct TFaceEntry {
        QRawFont face;
        TRpPdfFont* font;
    };
    TRpPdfFont* makeFont(const QRawFont& face);
    QByteArray addPattern(const QByteArray& key, const QByteArray& dictionary, const QByteArray& content);
    void writeNamedObjects(const char* kind, const std::vector<std::pair<QByteArray, int>>& objects);

    TRpPdfFile& m_file;
    std::vector<std::unique_ptr<TRpPdfFont>> m_fonts;
    QHash<QString, TRpPdfFont*> m_fontsByFace;
    std::vector<TFaceEntry> m_recentFaces;
    QHash<QPair<int, qint64>, TRpPdfImageRef> m_imagesByKey;
    std::vector<std::pair<QByteArray, int>> m_images;
    int m_imageCount = 0;
    QHash<QByteArray, QByteArray> m_patternsByKey;
    std::vector<std::pair<QByteArray, int>> m_patterns;
    QHash<int, QByteArray> m_alphaStatesByKey;
    std::vector<std::pair<QByteArray, QByteArray>> m_alphaStates;
};
