// A global-members object for test scripts: Print x (or showmessage x) appends a line.
#pragma once

#include "scripting/vbscript/dispatch.h"

#include <QStringList>

class ScriptConsole : public vbs::Dispatch {
public:
    QStringList lines;

    vbs::HResult getIdOfName(const QString& name, int& memberId) override;
    vbs::HResult invoke(int memberId, int flags, const vbs::Arguments& args, vbs::Variant& result,
                        vbs::ExceptionInfo& exception) override;
};

// How test output shows a value: its text, with Null as "Null" and objects by type name.
QString displayText(const vbs::Variant& value);
