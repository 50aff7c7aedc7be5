// Parses and runs arbitrary script text. Runs are bounded by a step limit, so an endless
// loop ends with "Script interrupted"; a crash, hang or leak is a finding.
#include "scripting/vbscript/engine.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

// A global-members object with one property and one method, so member paths get exercised.
class FuzzHost : public vbs::Dispatch {
public:
    vbs::HResult getIdOfName(const QString& name, int& memberId) override
    {
        if (name.compare(QLatin1String("value"), Qt::CaseInsensitive) == 0)
            memberId = 1;
        else if (name.compare(QLatin1String("showmessage"), Qt::CaseInsensitive) == 0)
            memberId = 2;
        else
            return vbs::HResult::UnknownName;
        return vbs::HResult::Ok;
    }

    vbs::HResult invoke(int memberId, int flags, const vbs::Arguments& args, vbs::Variant& result,
                        vbs::ExceptionInfo& exception) override
    {
        if (memberId == 1) {
            if (flags & (vbs::InvokePropertyPut | vbs::InvokePropertyPutRef))
                value_ = args.empty() || args.back().isObject() ? vbs::Variant() : args.back();
            else
                result = value_;
            return vbs::HResult::Ok;
        }
        if (memberId == 2) {
            if (args.size() != 1)
                return vbs::HResult::BadParamCount;
            return vbs::HResult::Ok;
        }
        exception.description = QStringLiteral("no such member");
        return vbs::HResult::Exception;
    }

private:
    vbs::Variant value_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 16384)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    vbs::Engine engine;
    engine.setStepLimit(20000);
    engine.addNamedObject(QStringLiteral("Host"), std::make_shared<FuzzHost>(), true);
    if (engine.parse(text)) {
        vbs::Variant result;
        engine.call(QStringLiteral("Main"), {}, &result);
        engine.call(QStringLiteral("F"), {vbs::Variant::fromLong(1), vbs::Variant::fromString(QStringLiteral("x"))}, &result);
    }
    return 0;
}
