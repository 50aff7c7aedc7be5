// Printable controls: the common base and the standard controls laid on bands.
#pragma once

#include "core/control.h"
#include "core/font.h"
#include "core/method.h"
#include "core/pen_brush.h"
#include "core/picture.h"
#include "core/strings.h"
#include "data/dataset.h"
#include "engine/rp_frame.h"
#include "engine/rp_types.h"
#include "engine/rp_units.h"
#include "engine/text/glyph_layout.h"

#include <QPointer>
#include <QRectF>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class IRpEvDataSet;
class QImage;
class QPaintDevice;
class TReport;
class TRpCustomBand;
class TRpEvaluator;
class TRpPrintContext;

class TRpPrintable : public TControl {
    Q_OBJECT
    Q_PROPERTY(TRpFrame* Frame READ frame WRITE setFrame)
    Q_PROPERTY(TRpPrintableSize* Size READ size WRITE setSize)
public:
    static constexpr int kNewSizePixels = 10;

    explicit TRpPrintable(TComponent* owner = nullptr);
    ~TRpPrintable() override;

    TRpFrame* frame() const { return m_frame; }
    void setFrame(TRpFrame* frame);
    TRpPrintableSize* size() const { return m_size; }
    void setSize(TRpPrintableSize* size);

    // The report the control prints on: its band's report, or the report itself.
    TReport* report() const;

    // Recomputes the pixel bounds from the native size at the current zoom.
    void updateBounds();
    void setBounds(int left, int top, int width, int height) override;
    void loaded() override;

    // The printing contract. Prepare once per pass; print at the band offset (x, y) in
    // native units; unprepare at the end of the pass. A control that could not print
    // all it holds stays unfinished and continues in the next column or page.
    virtual void prepare(TRpPrintContext& context);
    virtual void print(TRpPrintContext& context, double x, double y);
    virtual void unprepare();
    bool finished() const { return m_finished; }

protected:
    void setFinished(bool finished) { m_finished = finished; }
    // What the control draws inside its rectangle (native units, page coordinates);
    // the base print calls it on enabled controls and then draws the frame.
    virtual void printContents(TRpPrintContext& context, const QRectF& area);
    // The band the control lies on; null for a control placed on the report.
    TRpCustomBand* band() const;
    // The control's rectangle at the band offset, in native units.
    QRectF nativeRect(double x, double y) const;
    // The frame's line width in native units (frame widths are in points).
    double frameLineWidth() const;
    void drawFrame(TRpPrintContext& context, const QRectF& area) const;
    void parentChanged() override;
    // Sets the native size from pixel dimensions (a new control's size).
    void setInitialPixelSize(int width, int height);

private:
    TRpFrame* m_frame;
    TRpPrintableSize* m_size;
    QRect m_loadedBounds;
    bool m_hasLoadedBounds = false;
    bool m_updatingBounds = false;
    bool m_finished = true;
};

// Text controls. Each class publishes the properties that apply to it.
class TRpCustomLabel : public TRpPrintable {
    Q_OBJECT
    Q_PROPERTY(Vcl::TAlignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool AlignToBand READ alignToBand WRITE setAlignToBand)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(Vcl::TBiDiMode BiDiMode READ biDiMode WRITE setBiDiMode)
    Q_PROPERTY(bool ParentBiDiMode READ parentBiDiMode WRITE setParentBiDiMode)
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(TFont* Font READ font WRITE setFont)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(TMethod OnPrint READ onPrint WRITE setOnPrint)
    Q_CLASSINFO("default:ParentBiDiMode", "True")
    Q_CLASSINFO("default:ParentFont", "True")
public:
    explicit TRpCustomLabel(TComponent* owner = nullptr);

    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment) { m_alignment = alignment; }
    bool alignToBand() const { return m_alignToBand; }
    void setAlignToBand(bool align) { m_alignToBand = align; }
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize) { m_autoSize = autoSize; }
    bool autoStretch() const { return m_autoStretch; }
    void setAutoStretch(bool stretch) { m_autoStretch = stretch; }
    TBiDiMode biDiMode() const { return m_biDiMode; }
    void setBiDiMode(TBiDiMode mode);
    bool parentBiDiMode() const { return m_parentBiDiMode; }
    void setParentBiDiMode(bool parent) { m_parentBiDiMode = parent; }
    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent) { m_transparent = transparent; }
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap) { m_wordWrap = wrap; }
    TMethod onPrint() const { return m_onPrint; }
    void setOnPrint(const TMethod& handler) { m_onPrint = handler; }

    // Called before each print with the text about to print; a change applies to this
    // print only. The script layer binds OnPrint through it.
    using PrintHandler = std::function<void(TRpCustomLabel& control, QString& text)>;
    void setPrintHandler(PrintHandler handler) { m_printHandler = std::move(handler); }

    void prepare(TRpPrintContext& context) override;
    void print(TRpPrintContext& context, double x, double y) override;
    void unprepare() override;

    // Text controls store their font size as "FontSize"; a positive value read back
    // becomes the font's size.
    void defineProperties(TPropertyDefiner& definer) override;
    void loaded() override;

protected:
    // The text to print for the current record.
    virtual QString printText(TRpPrintContext& context);
    // Told when the control has printed all its lines.
    virtual void printCompleted() {}

private:
    // Where and how wide the text prints, worked out when a print starts afresh.
    struct TextPlacement {
        double left = 0;   // relative to the band
        double width = 0;  // the whole control, frame included
        double height = 0;
        double lineHeight = 0;
        double ascent = 0;
        double insetLeft = 0, insetRight = 0, insetTop = 0;
    };
    class LinePrinter;

    void startText(TRpPrintContext& context, const QPaintDevice* device);

    TAlignment m_alignment = TAlignment::taLeftJustify;
    bool m_alignToBand = false;
    bool m_autoSize = true;
    bool m_autoStretch = false;
    TBiDiMode m_biDiMode = TBiDiMode::bdLeftToRight;
    bool m_parentBiDiMode = true;
    bool m_transparent = false;
    bool m_wordWrap = true;
    TMethod m_onPrint;
    int m_loadedFontSize = 0;
    PrintHandler m_printHandler;
    QStringList m_printLines;
    QList<double> m_lineWidths;
    QList<TRpGlyphLine> m_lineGlyphs; // when the device draws glyph lines itself
    int m_nextLine = 0;
    TextPlacement m_placement;
};

class TRpLabel : public TRpCustomLabel {
    Q_OBJECT
    Q_PROPERTY(bool AutoStretch READ autoStretch WRITE setAutoStretch)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
public:
    explicit TRpLabel(TComponent* owner = nullptr);
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }

protected:
    QString printText(TRpPrintContext& context) override;

private:
    QString m_caption;
};

class TRpMemo : public TRpCustomLabel {
    Q_OBJECT
    Q_PROPERTY(bool AutoStretch READ autoStretch WRITE setAutoStretch)
    Q_PROPERTY(TStrings* Lines READ lines WRITE setLines)
public:
    explicit TRpMemo(TComponent* owner = nullptr);
    TStrings* lines() const { return m_lines; }
    void setLines(TStrings* lines);

protected:
    QString printText(TRpPrintContext& context) override;

private:
    TStrings* m_lines;
};

class TRpDBText : public TRpCustomLabel {
    Q_OBJECT
    Q_PROPERTY(bool AutoStretch READ autoStretch WRITE setAutoStretch)
    Q_PROPERTY(TDataSet* DataSet READ dataSet WRITE setDataSet)
    Q_PROPERTY(QString DataField READ dataField WRITE setDataField)
    Q_PROPERTY(QString Mask READ mask WRITE setMask)
public:
    explicit TRpDBText(TComponent* owner = nullptr);
    TDataSet* dataSet() const { return m_dataSet; }
    void setDataSet(TDataSet* dataSet) { m_dataSet = dataSet; }
    QString dataField() const { return m_dataField; }
    void setDataField(const QString& field) { m_dataField = field; }
    QString mask() const { return m_mask; }
    void setMask(const QString& mask) { m_mask = mask; }

    // Older files name a data source instead of a dataset; its dataset is taken after
    // loading.
    void defineProperties(TPropertyDefiner& definer) override;
    void loaded() override;

    void prepare(TRpPrintContext& context) override;
    void unprepare() override;

protected:
    QString printText(TRpPrintContext& context) override;

private:
    TComponentRef<TDataSet> m_dataSet;
    QString m_dataField;
    QString m_mask;
    QString m_legacyDataSource;
    IRpEvDataSet* m_evDataSet = nullptr;
    int m_fieldIndex = -1;
};

class TRpExpr : public TRpCustomLabel {
    Q_OBJECT
    Q_PROPERTY(bool AutoStretch READ autoStretch WRITE setAutoStretch)
    Q_PROPERTY(QString Expression READ expression WRITE setExpression)
    Q_PROPERTY(QString Mask READ mask WRITE setMask)
    Q_PROPERTY(TComponent* Master READ master WRITE setMaster)
    Q_PROPERTY(bool ResetAfterPrint READ resetAfterPrint WRITE setResetAfterPrint)
public:
    explicit TRpExpr(TComponent* owner = nullptr);
    ~TRpExpr() override;
    QString expression() const { return m_expression; }
    void setExpression(const QString& expression) { m_expression = expression; }
    QString mask() const { return m_mask; }
    void setMask(const QString& mask) { m_mask = mask; }
    TComponent* master() const { return m_master; }
    void setMaster(TComponent* master) { m_master = master; }
    bool resetAfterPrint() const { return m_resetAfterPrint; }
    void setResetAfterPrint(bool reset) { m_resetAfterPrint = reset; }

    void prepare(TRpPrintContext& context) override;
    void unprepare() override;
    // Called by the controller the expression is registered with, once per detail record.
    void aggregateStep();
    // What the design surface shows: the expression, or "(none)".
    QString designCaption() const;

protected:
    QString printText(TRpPrintContext& context) override;
    void printCompleted() override;

private:
    std::unique_ptr<TRpEvaluator> m_evaluator;
    QString m_expression;
    QString m_mask;
    TComponentRef<TComponent> m_master;
    bool m_resetAfterPrint = false;
};

class TRpSysData : public TRpCustomLabel {
    Q_OBJECT
    Q_PROPERTY(Rp::TRpSysDataType Data READ data WRITE setData)
    Q_PROPERTY(QString Text READ text WRITE setText)
public:
    explicit TRpSysData(TComponent* owner = nullptr);
    TRpSysDataType data() const { return m_data; }
    void setData(TRpSysDataType data) { m_data = data; }
    QString text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }

    // What the design surface shows: Text and the data kind's name in parentheses.
    QString designCaption() const;

protected:
    QString printText(TRpPrintContext& context) override;

private:
    TRpSysDataType m_data = TRpSysDataType::rpsTime;
    QString m_text;
};

class TRpExprMemo : public TRpCustomLabel {
    Q_OBJECT
    Q_PROPERTY(bool AutoStretch READ autoStretch WRITE setAutoStretch)
    Q_PROPERTY(TStrings* Lines READ lines WRITE setLines)
    Q_PROPERTY(bool RemoveBlankLines READ removeBlankLines WRITE setRemoveBlankLines)
public:
    explicit TRpExprMemo(TComponent* owner = nullptr);
    ~TRpExprMemo() override;
    TStrings* lines() const { return m_lines; }
    void setLines(TStrings* lines);
    bool removeBlankLines() const { return m_removeBlankLines; }
    void setRemoveBlankLines(bool remove) { m_removeBlankLines = remove; }

    void prepare(TRpPrintContext& context) override;
    void unprepare() override;

protected:
    QString printText(TRpPrintContext& context) override;

private:
    // An expression found between braces, removed from its line.
    struct Embedded {
        int line;
        qsizetype position;
        std::unique_ptr<TRpEvaluator> evaluator;
    };

    TStrings* m_lines;
    bool m_removeBlankLines = false;
    QStringList m_strippedLines;
    std::vector<Embedded> m_embedded;
};

class TRpShape : public TRpPrintable {
    Q_OBJECT
    Q_PROPERTY(Rp::TRpShapeType Shape READ shape WRITE setShape)
    Q_PROPERTY(TPen* Pen READ pen WRITE setPen)
    Q_PROPERTY(TBrush* Brush READ brush WRITE setBrush)
    Q_CLASSINFO("default:Width", "65")
    Q_CLASSINFO("default:Height", "65")
public:
    static constexpr int kNewSizePixels = 65;

    explicit TRpShape(TComponent* owner = nullptr);
    TRpShapeType shape() const { return m_shape; }
    void setShape(TRpShapeType shape) { m_shape = shape; }
    TPen* pen() const { return m_pen; }
    void setPen(TPen* pen);
    TBrush* brush() const { return m_brush; }
    void setBrush(TBrush* brush);

protected:
    void printContents(TRpPrintContext& context, const QRectF& area) override;

private:
    TRpShapeType m_shape = TRpShapeType::rpsRectangle;
    TPen* m_pen;
    TBrush* m_brush;
};

class TRpImage : public TRpPrintable {
    Q_OBJECT
    Q_PROPERTY(TPicture* Picture READ picture WRITE setPicture)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool Center READ center WRITE setCenter)
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)
public:
    static constexpr int kNewSizePixels = 105;

    explicit TRpImage(TComponent* owner = nullptr);
    TPicture* picture() const { return m_picture; }
    void setPicture(TPicture* picture);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize) { m_autoSize = autoSize; }
    bool center() const { return m_center; }
    void setCenter(bool center) { m_center = center; }
    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch) { m_stretch = stretch; }

protected:
    void printContents(TRpPrintContext& context, const QRectF& area) override;

private:
    TPicture* m_picture;
    bool m_autoSize = false;
    bool m_center = false;
    bool m_stretch = false;
};

class TRpDBImage : public TRpPrintable {
    Q_OBJECT
    Q_PROPERTY(TDataSet* DataSet READ dataSet WRITE setDataSet)
    Q_PROPERTY(QString DataField READ dataField WRITE setDataField)
    Q_PROPERTY(bool Center READ center WRITE setCenter)
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)
public:
    explicit TRpDBImage(TComponent* owner = nullptr);
    TDataSet* dataSet() const { return m_dataSet; }
    void setDataSet(TDataSet* dataSet) { m_dataSet = dataSet; }
    QString dataField() const { return m_dataField; }
    void setDataField(const QString& field) { m_dataField = field; }
    bool center() const { return m_center; }
    void setCenter(bool center) { m_center = center; }
    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch) { m_stretch = stretch; }

    void prepare(TRpPrintContext& context) override;
    void unprepare() override;

protected:
    void printContents(TRpPrintContext& context, const QRectF& area) override;

private:
    // The picture in the field of the current record; a null image when there is none.
    QImage fieldImage() const;

    TComponentRef<TDataSet> m_dataSet;
    QString m_dataField;
    IRpEvDataSet* m_evDataSet = nullptr;
    int m_fieldIndex = -1;
    bool m_center = true;
    bool m_stretch = false;
};

class TRpCustomRichText : public TRpPrintable {
    Q_OBJECT
    Q_PROPERTY(Vcl::TAlignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool AutoStretch READ autoStretch WRITE setAutoStretch)
    Q_PROPERTY(TColor Color READ color WRITE setColor)
    Q_PROPERTY(TFont* Font READ font WRITE setFont)
public:
    static constexpr int kNewSizePixels = 100;

    explicit TRpCustomRichText(TComponent* owner = nullptr);
    TAlignment alignment() const { return m_alignment; }
    void setAlignment(TAlignment alignment) { m_alignment = alignment; }
    bool autoStretch() const { return m_autoStretch; }
    void setAutoStretch(bool stretch) { m_autoStretch = stretch; }

private:
    TAlignment m_alignment = TAlignment::taLeftJustify;
    bool m_autoStretch = false;
};

class TRpRichText : public TRpCustomRichText {
    Q_OBJECT
    Q_PROPERTY(TStrings* Lines READ lines WRITE setLines)
    Q_PROPERTY(TComponent* ParentRichEdit READ parentRichEdit WRITE setParentRichEdit)
public:
    explicit TRpRichText(TComponent* owner = nullptr);
    TStrings* lines() const { return m_lines; }
    void setLines(TStrings* lines);
    TComponent* parentRichEdit() const { return m_parentRichEdit; }
    void setParentRichEdit(TComponent* edit) { m_parentRichEdit = edit; }

private:
    TStrings* m_lines;
    TComponentRef<TComponent> m_parentRichEdit;
};

class TRpDBRichText : public TRpCustomRichText {
    Q_OBJECT
    Q_PROPERTY(TDataSet* DataSet READ dataSet WRITE setDataSet)
    Q_PROPERTY(QString DataField READ dataField WRITE setDataField)
public:
    explicit TRpDBRichText(TComponent* owner = nullptr);
    TDataSet* dataSet() const { return m_dataSet; }
    void setDataSet(TDataSet* dataSet) { m_dataSet = dataSet; }
    QString dataField() const { return m_dataField; }
    void setDataField(const QString& field) { m_dataField = field; }

private:
    TComponentRef<TDataSet> m_dataSet;
    QString m_dataField;
};

// The name tag the design surface shows on a band; never stored, never printed.
class TRpName : public TControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
public:
    explicit TRpName(TComponent* owner = nullptr);
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }

private:
    QString m_caption;
};
