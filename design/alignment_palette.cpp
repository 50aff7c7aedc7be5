#include "design/alignment_palette.h"

#include "core/strings/ui_strings.h"
#include "design/design_window.h"

#include <QIcon>
#include <QShowEvent>
#include <QToolButton>

// Resources of a static library are registered by hand (outside any namespace).
static void initialiseAlignmentIcons()
{
    Q_INIT_RESOURCE(alignment_palette);
}

namespace {

constexpr int kMargin = 4;
constexpr int kButtonSize = 26;

} // namespace

const TfrmAlignment::ButtonInfo TfrmAlignment::kButtons[kButtonCount] = {
    {0, 0, 33308, 0, "align_left"},
    {0, 1, 33309, 1, "align_horizontal_centers"},
    {0, 2, 33310, 2, "center_horizontal_in_band"},
    {0, 3, 33311, 3, "space_equally_horizontal"},
    {0, 4, 33312, 4, "align_right"},
    {0, 5, 33318, 10, "send_to_back"},
    {1, 0, 33313, 5, "align_tops"},
    {1, 1, 33314, 6, "align_vertical_centers"},
    {1, 2, 33315, 7, "center_vertical_in_band"},
    {1, 3, 33316, 8, "space_equally_vertical"},
    {1, 4, 33317, 9, "align_bottoms"},
    {1, 5, 33319, 11, "bring_to_front"},
};

TfrmAlignment::TfrmAlignment(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    initialiseAlignmentIcons();
    setObjectName(QStringLiteral("frmAlignment"));
    for (int i = 0; i < kButtonCount; ++i) {
        const ButtonInfo& info = kButtons[i];
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("btnAlign%1").arg(info.operation));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIcon(QIcon(QStringLiteral(":/alignment/%1.svg").arg(QLatin1String(info.iconName))));
        button->setIconSize(QSize(20, 20));
        button->setGeometry(kMargin + info.column * kButtonPitch, kMargin + info.row * kButtonPitch,
                            kButtonSize, kButtonSize);
        const int operation = info.operation;
        connect(button, &QToolButton::clicked, this, [this, operation] { runOperation(operation); });
        m_buttons[i] = button;
    }
    setFixedSize(2 * kMargin + 5 * kButtonPitch + kButtonSize, 2 * kMargin + kButtonPitch + kButtonSize);
    relabel();
}

TfrmAlignment::~TfrmAlignment() = default;

QToolButton* TfrmAlignment::buttonForOperation(int operation) const
{
    for (int i = 0; i < kButtonCount; ++i)
        if (kButtons[i].operation == operation)
            return m_buttons[i];
    return nullptr;
}

void TfrmAlignment::relabel()
{
    setWindowTitle(LoadUiString(kCaptionId));
    for (int i = 0; i < kButtonCount; ++i) {
        const QString hint = LoadUiString(kButtons[i].hintId);
        m_buttons[i]->setToolTip(hint);
        m_buttons[i]->setStatusTip(hint);
    }
}

void TfrmAlignment::placeBesideAnchor()
{
    if (!m_anchor)
        return;
    const QRect anchor = m_anchor->frameGeometry();
    const int frameWidth = frameGeometry().width();
    move(anchor.x() + anchor.width() - frameWidth, anchor.y() + kTopBelowAnchor);
}

void TfrmAlignment::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        placeBesideAnchor();
}

void TfrmAlignment::runOperation(int operation)
{
    TVelDesignWindow* window = m_designWindowSource ? m_designWindowSource() : nullptr;
    if (window)
        window->align(operation);
}
