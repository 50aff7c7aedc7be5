#include "engine/pdf/rp_pdf_resources.h"

#include "engine/pdf/rp_pdf_bytes.h"
#include "engine/pdf/rp_pdf_file.h"
#include "engine/pdf/rp_pdf_font.h"
#include "engine/pdf/rp_pdf_hatch.h"
#include "engine/pdf/rp_pdf_image.h"

#include <QImage>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

// Faces looked up by identity before their names are compared; a document uses few.
constexpr size_t kRecentFaceLimit = 64;

QString faceKey(const QRawFont& face)
{
    return face.familyName() + QLatin1Char('\n') + face.styleName() + QLatin1Char('\n')
           + QString::number(face.weight()) + QLatin1Char('\n') + QString::number(static_cast<int>(face.style()));
}

// Six capital letters that differ between the fonts of one document.
QByteArray subsetTag(int index)
{
    QByteArray tag(6, 'A');
    unsigned value = static_cast<unsigned>(index) * 7919u + 104729u;
    for (int i = 5; i >= 0; --i) {
        tag[i] = static_cast<char>('A' + value % 26);
        value /= 26;
    }
    return tag;
}

QByteArray matrixText(const QTransform& m)
{
    TRpPdfBytes out;
    out << '[';
    for (const double value : {m.m11(), m.m12(), m.m21(), m.m22(), m.dx(), m.dy()}) {
        out.appendReal(value, 6);
        out << ' ';
    }
    out << ']';
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

} // namespace

TRpPdfResources::TRpPdfResources(TRpPdfFile& file) : m_file(file)
{
}

TRpPdfResources::~TRpPdfResources() = default;

TRpPdfFont* TRpPdfResources::font(const QRawFont& face)
{
    for (const TFaceEntry& entry : m_recentFaces) {
        if (entry.face == face)
            return entry.font;
    }
    const QString key = faceKey(face);
    auto found = m_fontsByFace.find(key);
    TRpPdfFont* font = found != m_fontsByFace.end() ? found.value() : makeFont(face);
    if (found == m_fontsByFace.end())
        m_fontsByFace.insert(key, font);
    if (m_recentFaces.size() >= kRecentFaceLimit)
        m_recentFaces.clear();
    m_recentFaces.push_back({face, font});
    return font;
}

TRpPdfFont* TRpPdfResources::makeFont(const QRawFont& face)
{
    const TRpFontTableReader tables = [&face](const char* tag) { return face.fontTable(tag); };
    TRpTrueTypeMetrics metrics;
    if (!face.isValid() || !rpHasTrueTypeOutlines(tables) || !rpReadTrueTypeMetrics(tables, &metrics))
        return nullptr;
    const int index = static_cast<int>(m_fonts.size()) + 1;
    m_fonts.push_back(std::make_unique<TRpPdfFont>(face, std::move(metrics), m_file.reserveObject(),
                                                   "F" + QByteArray::number(index), subsetTag(index)));
    return m_fonts.back().get();
}

const TRpPdfImageRef* TRpPdfResources::findImage(TImageSource source, qint64 cacheKey) const
{
    if (cacheKey == 0)
        return nullptr;
    const auto found = m_imagesByKey.constFind({static_cast<int>(source), cacheKey});
    return found == m_imagesByKey.constEnd() ? nullptr : &found.value();
}

const TRpPdfImageRef& TRpPdfResources::addImage(const QImage& image, TImageSource source, qint64 cacheKey)
{
    TRpPdfImageRef ref{"Im" + QByteArray::number(++m_imageCount), rpWritePdfImage(m_file, image), image.size()};
    m_images.emplace_back(ref.name, ref.object);
    // Uncached images still need a stable home for the reference handed back.
    const qint64 key = cacheKey != 0 ? cacheKey : -m_imageCount;
    return m_imagesByKey.insert({static_cast<int>(source), key}, ref).value();
}

QByteArray TRpPdfResources::addPattern(const QByteArray& key, const QByteArray& dictionary, const QByteArray& content)
{
    const auto found = m_patternsByKey.constFind(key);
    if (found != m_patternsByKey.constEnd())
        return found.value();
    const QByteArray name = "P" + QByteArray::number(static_cast<qsizetype>(m_patterns.size()) + 1);
    const int object = m_file.reserveObject();
    m_file.writeStream(object, dictionary.toStdString(), content);
    m_patterns.emplace_back(name, object);
    m_patternsByKey.insert(key, name);
    return name;
}

QByteArray TRpPdfResources::hatchPattern(Qt::BrushStyle style, const QTransform& patternToPage)
{
    const QByteArray matrix = matrixText(patternToPage);
    const QByteArray cell = QByteArray::number(kRpHatchCellSize);
    const QByteArray dictionary = "/Type/Pattern/PatternType 1/PaintType 2/TilingType 1/BBox[0 0 " + cell + ' ' + cell
                                  + "]/XStep " + cell + "/YStep " + cell + "/Resources<<>>/Matrix" + matrix;
    return addPattern("hatch" + QByteArray::number(static_cast<int>(style)) + matrix, dictionary,
                      rpHatchCellContent(style));
}

QByteArray TRpPdfResources::imagePattern(const TRpPdfImageRef& image, const QTransform& patternToPage)
{
    const QByteArray matrix = matrixText(patternToPage);
    const QByteArray width = QByteArray::number(image.size.width());
    const QByteArray height = QByteArray::number(image.size.height());
    const QByteArray dictionary = "/Type/Pattern/PatternType 1/PaintType 1/TilingType 1/BBox[0 0 " + width + ' '
                                  + height + "]/XStep " + width + "/YStep " + height + "/Resources<</XObject<</"
                                  + image.name + ' ' + QByteArray::number(image.object) + " 0 R>>>>/Matrix" + matrix;
    // Pattern space runs y down like the page's device units, so the image is flipped in.
    const QByteArray content = width + " 0 0 -" + height + " 0 " + height + " cm /" + image.name + " Do";
    return addPattern("image" + image.name + matrix, dictionary, content);
}

QByteArray TRpPdfResources::alphaState(double fillAlpha, double strokeAlpha)
{
    const int fill = static_cast<int>(std::lround(std::clamp(fillAlpha, 0.0, 1.0) * 1000));
    const int stroke = static_cast<int>(std::lround(std::clamp(strokeAlpha, 0.0, 1.0) * 1000));
    if (fill == 1000 && stroke == 1000)
        return {};
    const int key = fill * 1001 + stroke;
    const auto found = m_alphaStatesByKey.constFind(key);
    if (found != m_alphaStatesByKey.constEnd())
        return found.value();
    const QByteArray name = "GS" + QByteArray::number(static_cast<qsizetype>(m_alphaStates.size()) + 1);
    TRpPdfBytes dictionary;
    dictionary << "<</ca ";
    dictionary.appendReal(fill / 1000.0, 3);
    dictionary << "/CA ";
    dictionary.appendReal(stroke / 1000.0, 3);
    dictionary << ">>";
    m_alphaStates.emplace_back(name, QByteArray(dictionary.data(), static_cast<qsizetype>(dictionary.size())));
    m_alphaStatesByKey.insert(key, name);
    return name;
}

void TRpPdfResources::writeNamedObjects(const char* kind, const std::vector<std::pair<QByteArray, int>>& objects)
{
    if (objects.empty())
        return;
    TRpPdfBytes& out = m_file.body();
    out << '/' << kind << "<<";
    for (const auto& [name, object] : objects) {
        out << '/' << name << ' ';
        out.appendInt(object);
        out << " 0 R";
    }
    out << ">>";
}

void TRpPdfResources::write(int objectNumber)
{
    std::vector<std::pair<QByteArray, int>> fonts;
    for (const auto& font : m_fonts)
        fonts.emplace_back(font->resourceName(), font->objectNumber());

    m_file.beginObject(objectNumber);
    TRpPdfBytes& out = m_file.body();
    out << "<</ProcSet[/PDF/Text/ImageB/ImageC]";
    writeNamedObjects("Font", fonts);
    writeNamedObjects("XObject", m_images);
    writeNamedObjects("Pattern", m_patterns);
    out << "/ExtGState<</GS0<</ca 1/CA 1>>";
    for (const auto& [name, dictionary] : m_alphaStates)
        out << '/' << name << dictionary;
    out << ">>/ColorSpace<</PCS[/Pattern/DeviceRGB]>>>>";
    m_file.endObject();

    for (const auto& font : m_fonts)
        font->write(m_file);
}
