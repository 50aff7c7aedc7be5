// TRpBasePanel: the common base of the report and its bands: a panel control with a
// frame, a colour and a font that may follow its parent's.
#pragma once

#include "core/control.h"
#include "engine/rp_frame.h"

class TRpBasePanel : public TControl {
    Q_OBJECT
public:
    explicit TRpBasePanel(TComponent* owner = nullptr);
    ~TRpBasePanel() override;

    TRpFrame* frame() const { return m_frame; }
    void setFrame(TRpFrame* frame);

private:
    TRpFrame* m_frame;
};
