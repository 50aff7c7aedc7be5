// TVelMemo: a non-visual holder of lines; a report document keeps its script in the one
// named "VELSCRIPTMEMO".
#pragma once

#include "core/component.h"
#include "core/strings.h"

class TVelMemo : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TStrings* Memo READ memo WRITE setMemo)
public:
    static constexpr const char* kScriptHolderName = "VELSCRIPTMEMO";

    explicit TVelMemo(TComponent* owner = nullptr);

    TStrings* memo() const { return m_memo; }
    // Copies the lines.
    void setMemo(TStrings* lines);

private:
    TStrings* m_memo;
};
