// The Err object: the last run-time error, with Raise and Clear.
#pragma once

#include "scripting/vbscript/dispatch.h"

namespace vbs {

class ScriptError;

class ErrObject : public Dispatch {
public:
    qint32 number = 0;
    QString description;
    QString source;
    QString helpFile;
    qint32 helpContext = 0;

    void set(const ScriptError& error);
    void clear();

    HResult getIdOfName(const QString& name, int& memberId) override;
    HResult invoke(int memberId, int flags, const Arguments& args, Variant& result,
                   ExceptionInfo& exception) override;
    QString typeName() const override { return QStringLiteral("ErrObject"); }
};

} // namespace vbs
