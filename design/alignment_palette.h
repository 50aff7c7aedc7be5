// TfrmAlignment: the alignment palette, a small tool window that stays on top with
// twelve buttons that align, space and restack the selection of the active design
// window.
#pragma once

#include "core/strings/language.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QToolButton;
class TVelDesignWindow;

class TfrmAlignment : public QWidget, public LiveLanguageComponent {
    Q_OBJECT
public:
    static constexpr int kCaptionId = 33307;
    static constexpr int kButtonCount = 12;
    static constexpr int kButtonPitch = 28;  // buttons are this many pixels apart
    static constexpr int kTopBelowAnchor = 20;

    // One button: the alignment operation it runs (0 to 11), its hint and its picture.
    struct ButtonInfo {
        int row;
        int column;
        int hintId;
        int operation;
        const char* iconName;
    };
    static const ButtonInfo kButtons[kButtonCount];

    explicit TfrmAlignment(QWidget* parent = nullptr);
    ~TfrmAlignment() override;

    // Where the operations go: the active design window, or none.
    using DesignWindowSource = std::function<TVelDesignWindow*()>;
    void setDesignWindowSource(DesignWindowSource source) { m_designWindowSource = std::move(source); }

    // The window the palette lines up with when shown: right edges meet, and the palette's
    // top is 20 pixels below the anchor's top.
    void setAnchor(QWidget* anchor) { m_anchor = anchor; }
    void placeBesideAnchor();

    QToolButton* buttonForOperation(int operation) const;

    void relabel();
    void languageChanged() override { relabel(); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void runOperation(int operation);

    QToolButton* m_buttons[kButtonCount] = {};
    DesignWindowSource m_designWindowSource;
    QPointer<QWidget> m_anchor;
};
