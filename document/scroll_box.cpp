#include "document/scroll_box.h"

TScrollBox::TScrollBox(TComponent* owner) : TControl(owner) {}
