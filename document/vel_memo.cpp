#include "document/vel_memo.h"

TVelMemo::TVelMemo(TComponent* owner) : TComponent(owner), m_memo(new TStrings(this)) {}

void TVelMemo::setMemo(TStrings* lines)
{
    if (lines && lines != m_memo)
        m_memo->setLines(lines->lines());
}
