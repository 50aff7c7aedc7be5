#include "engine/rp_frame.h"

TRpFrame::TRpFrame(QObject* parent) : TPersistent(parent) {}
