#include "engine/rp_base_panel.h"

TRpBasePanel::TRpBasePanel(TComponent* owner) : TControl(owner), m_frame(new TRpFrame(this)) {}

TRpBasePanel::~TRpBasePanel() = default;

void TRpBasePanel::setFrame(TRpFrame* frame)
{
    if (frame && frame != m_frame)
        m_frame->assign(*frame);
}
