// The engine as a script host drives it: named objects reached through a fake dispatch
// object, calls by name with positional arguments, and errors with their positions.
#include "script_console.h"

#include "scripting/vbscript/conversion.h"
#include "scripting/vbscript/engine.h"

#include <QHash>

#include <gtest/gtest.h>

namespace {

using vbs::HResult;
using vbs::Variant;

// Answers a fixed set of members and records every invoke it receives.
class FakeObject : public vbs::Dispatch {
public:
    struct Call {
        QString member;
        int flags;
        QStringList args;
    };
    std::vector<Call> calls;
    QHash<QString, Variant> properties{{QStringLiteral("caption"), Variant::fromString(QStringLiteral("start"))},
                                       {QStringLiteral("width"), Variant::fromLong(10)}};
    QStringList askedNames;

    HResult getIdOfName(const QString& name, int& memberId) override
    {
        askedNames << name;
        const int index = members().indexOf(name.toLower());
        if (index < 0)
            return HResult::UnknownName;
        memberId = 0xFF0000 + index;
        return HResult::Ok;
    }

    HResult invoke(int memberId, int flags, const vbs::Arguments& args, Variant& result,
                   vbs::ExceptionInfo& exception) override
    {
        const int index = memberId - 0xFF0000;
        if (index < 0 || index >= members().size())
            return HResult::MemberNotFound;
        const QString member = members().at(index);
        Call call{member, flags, {}};
        for (const Variant& arg : args)
            call.args << displayText(arg);
        calls.push_back(call);
        const bool put = flags & (vbs::InvokePropertyPut | vbs::InvokePropertyPutRef);
        if (member == QLatin1String("fail")) {
            exception.source = QStringLiteral("Fake");
            exception.description = QStringLiteral("Can't set fields value. The Fields are readonly.");
            return HResult::Exception;
        }
        if (member == QLatin1String("notimplemented"))
            return HResult::NotImplemented;
        if (member == QLatin1String("concat")) {
            result = Variant::fromString(call.args.join(QLatin1Char('|')));
            return HResult::Ok;
        }
        if (put)
            properties[member] = args.back();
        else
            result = properties.value(member);
        return HResult::Ok;
    }

private:
    static const QStringList& members()
    {
        static const QStringList names = {QStringLiteral("caption"), QStringLiteral("width"), QStringLiteral("concat"),
                                          QStringLiteral("fail"), QStringLiteral("notimplemented"), QStringLiteral("child")};
        return names;
    }
};

class HostInterface : public testing::Test {
protected:
    void SetUp() override
    {
        engine.addNamedObject(QStringLiteral("Console"), console, true);
        engine.setErrorHandler([this](const vbs::ScriptError& error) { errors.push_back(error); });
    }

    std::shared_ptr<ScriptConsole> console = std::make_shared<ScriptConsole>();
    std::shared_ptr<FakeObject> owner = std::make_shared<FakeObject>();
    vbs::Engine engine;
    std::vector<vbs::ScriptError> errors;
};

TEST_F(HostInterface, GlobalMembersAreBareNamesAndUseTheRightInvokeKinds)
{
    engine.addNamedObject(QStringLiteral("Owner"), owner, true);
    ASSERT_TRUE(engine.parse(QStringLiteral("Print Caption\n"
                                            "Caption = \"changed\"\n"
                                            "Set Width = Nothing\n"
                                            "Concat 1, \"two\", 3\n"
                                            "Print Concat(\"a\", \"b\")\n")));
    EXPECT_EQ(console->lines, QStringList({QStringLiteral("start"), QStringLiteral("a|b")}));
    ASSERT_EQ(owner->calls.size(), 5u);
    EXPECT_EQ(owner->calls[0].flags, vbs::InvokePropertyGet | vbs::InvokeMethod);
    EXPECT_EQ(owner->calls[1].flags, vbs::InvokePropertyPut);
    EXPECT_EQ(owner->calls[1].args, QStringList({QStringLiteral("changed")}));
    EXPECT_EQ(owner->calls[2].flags, vbs::InvokePropertyPutRef);
    EXPECT_EQ(owner->calls[3].flags, vbs::InvokeMethod);
    EXPECT_EQ(owner->calls[3].args, QStringList({QStringLiteral("1"), QStringLiteral("two"), QStringLiteral("3")}));
    EXPECT_EQ(owner->properties.value(QStringLiteral("caption")).stringValue(), QStringLiteral("changed"));
}

TEST_F(HostInterface, ObjectsWithoutGlobalMembersAreReachedByTheirName)
{
    engine.addNamedObject(QStringLiteral("Report"), owner, false);
    ASSERT_TRUE(engine.parse(QStringLiteral("report.Width = report.Width + 5\n"
                                            "Print IsEmpty(Width), TypeName(Report)\n")));
    EXPECT_EQ(owner->properties.value(QStringLiteral("width")).longValue(), 15);
    EXPECT_EQ(console->lines, QStringList({QStringLiteral("True Object")}));
}

TEST_F(HostInterface, DuplicateNamedObjectIsRefused)
{
    EXPECT_TRUE(engine.addNamedObject(QStringLiteral("Owner"), owner, true));
    EXPECT_FALSE(engine.addNamedObject(QStringLiteral("OWNER"), owner, false));
}

TEST_F(HostInterface, CallPassesArgumentsInOrderAndReturnsTheResult)
{
    ASSERT_TRUE(engine.parse(QStringLiteral("Function Describe(a, b, c)\n"
                                            "  Describe = a & \"-\" & b & \"-\" & c & \":\" & TypeName(c)\n"
                                            "End Function\n"
                                            "Sub NoResult(x)\n"
                                            "End Sub\n")));
    Variant result;
    ASSERT_TRUE(engine.call(QStringLiteral("DESCRIBE"),
                            {Variant::fromLong(1), Variant::fromString(QStringLiteral("b")), Variant::fromBool(true)},
                            &result));
    EXPECT_EQ(result.stringValue(), QStringLiteral("1-b-True:Boolean"));
    ASSERT_TRUE(engine.call(QStringLiteral("NoResult"), {Variant::fromLong(1)}, &result));
    EXPECT_TRUE(result.isEmpty());
}

TEST_F(HostInterface, ProcedureExistenceIgnoresCase)
{
    ASSERT_TRUE(engine.parse(QStringLiteral("Function InitializeReport()\nEnd Function\nDim DetailBand1_BeforePrint\n")));
    EXPECT_TRUE(engine.hasProcedure(QStringLiteral("initializereport")));
    EXPECT_FALSE(engine.hasProcedure(QStringLiteral("DetailBand1_BeforePrint"))); // a variable, not a procedure
    EXPECT_FALSE(engine.hasProcedure(QStringLiteral("Missing")));
}

TEST_F(HostInterface, CallingAnUnknownProcedureGivesEmptyWithoutError)
{
    ASSERT_TRUE(engine.parse(QStringLiteral("x = 1")));
    Variant result = Variant::fromLong(5);
    EXPECT_TRUE(engine.call(QStringLiteral("Nothing_Here"), {}, &result));
    EXPECT_TRUE(result.isEmpty());
    EXPECT_TRUE(errors.empty());
}

TEST_F(HostInterface, ModuleVariablesLiveUntilTheTextIsReplaced)
{
    const QString counter = QStringLiteral("Dim n\nn = 10\nFunction Next1()\n  n = n + 1\n  Next1 = n\nEnd Function\n");
    ASSERT_TRUE(engine.parse(counter));
    Variant result;
    engine.call(QStringLiteral("Next1"), {}, &result);
    engine.call(QStringLiteral("Next1"), {}, &result);
    EXPECT_EQ(vbs::toLong(result), 12);
    ASSERT_TRUE(engine.parse(counter));
    engine.call(QStringLiteral("Next1"), {}, &result);
    EXPECT_EQ(vbs::toLong(result), 11);
    ASSERT_TRUE(engine.parse(QStringLiteral("Function Other()\nOther = IsEmpty(n)\nEnd Function\n")));
    EXPECT_FALSE(engine.hasProcedure(QStringLiteral("Next1")));
    engine.call(QStringLiteral("Other"), {}, &result);
    EXPECT_TRUE(result.boolValue());
}

TEST_F(HostInterface, SyntaxErrorOnTheThirdLineIsReportedWithLineTwo)
{
    EXPECT_FALSE(engine.parse(QStringLiteral("Sub A\nEnd Sub\nIf x Then\n")));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].line, 3);
    EXPECT_EQ(errors[0].description, QStringLiteral("Expected 'End'"));
    errors.clear();
    EXPECT_FALSE(engine.parse(QStringLiteral("x = 1\ny = 2\nz = (3\n")));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].line, 2);
    EXPECT_EQ(errors[0].column, 6);
    EXPECT_EQ(errors[0].number, 1006);
    EXPECT_EQ(errors[0].lineText, QStringLiteral("z = (3"));
}

TEST_F(HostInterface, RuntimeErrorInACallCarriesItsLineAndIsRecorded)
{
    ASSERT_TRUE(engine.parse(QStringLiteral("Function Bad(d)\n  Dim x\n  x = 1 / d\n  Bad = x\nEnd Function\n")));
    Variant result;
    EXPECT_FALSE(engine.call(QStringLiteral("Bad"), {Variant::fromLong(0)}, &result));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].number, 11);
    EXPECT_EQ(errors[0].description, QStringLiteral("Division by zero"));
    EXPECT_EQ(errors[0].line, 2);
    EXPECT_EQ(errors[0].column, 2);
    EXPECT_EQ(errors[0].lineText, QStringLiteral("  x = 1 / d"));
    ASSERT_TRUE(engine.lastError().has_value());
    EXPECT_TRUE(engine.call(QStringLiteral("Bad"), {Variant::fromLong(2)}, &result));
    EXPECT_FALSE(engine.lastError().has_value());
    EXPECT_DOUBLE_EQ(result.doubleValue(), 0.5);
}

TEST_F(HostInterface, WrongArgumentCountFromTheHostIsAnError)
{
    ASSERT_TRUE(engine.parse(QStringLiteral("Sub Two(a, b)\nEnd Sub\n")));
    EXPECT_FALSE(engine.call(QStringLiteral("Two"), {Variant::fromLong(1)}));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].number, 450);
}

TEST_F(HostInterface, MemberExceptionsReachTheScriptWithTheirMessage)
{
    engine.addNamedObject(QStringLiteral("Owner"), owner, true);
    ASSERT_TRUE(engine.parse(QStringLiteral("On Error Resume Next\n"
                                            "Fail\n"
                                            "Print Err.Description, Err.Source\n"
                                            "Err.Clear\n"
                                            "NotImplemented\n"
                                            "Print Err.Number\n"
                                            "Err.Clear\n"
                                            "Owner.NoSuchMember\n"
                                            "Print Err.Number\n")));
    EXPECT_EQ(console->lines, QStringList({QStringLiteral("Can't set fields value. The Fields are readonly. Fake"),
                                           QStringLiteral("445"), QStringLiteral("438")}));
    EXPECT_FALSE(engine.parse(QStringLiteral("x = 1\nOwner.Fail\n")));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].description, QStringLiteral("Can't set fields value. The Fields are readonly."));
    EXPECT_EQ(errors[0].line, 1);
}

TEST_F(HostInterface, MemberIdsAreAskedOncePerPlaceInTheScript)
{
    engine.addNamedObject(QStringLiteral("Owner"), owner, true);
    ASSERT_TRUE(engine.parse(QStringLiteral("For i = 1 To 50\n  w = Width\nNext\n")));
    EXPECT_EQ(owner->askedNames.count(QStringLiteral("Width")), 1);
    EXPECT_EQ(owner->calls.size(), 50u);
}

TEST_F(HostInterface, ScriptObjectsAnswerTheDispatchInterface)
{
    ASSERT_TRUE(engine.parse(QStringLiteral("Class Pair\n"
                                            "  Public Left\n"
                                            "  Private Hidden\n"
                                            "  Public Function Sum(x)\n"
                                            "    Sum = Left + x\n"
                                            "  End Function\n"
                                            "End Class\n"
                                            "Function MakePair()\n"
                                            "  Set MakePair = New Pair\n"
                                            "  MakePair.Left = 40\n"
                                            "End Function\n")));
    Variant pair;
    ASSERT_TRUE(engine.call(QStringLiteral("MakePair"), {}, &pair));
    ASSERT_TRUE(pair.isObject());
    vbs::Dispatch& object = *pair.objectPointer();
    EXPECT_EQ(object.typeName(), QStringLiteral("Pair"));
    int id = 0;
    EXPECT_EQ(object.getIdOfName(QStringLiteral("hidden"), id), HResult::UnknownName);
    ASSERT_EQ(object.getIdOfName(QStringLiteral("SUM"), id), HResult::Ok);
    Variant result;
    vbs::ExceptionInfo exception;
    ASSERT_EQ(object.invoke(id, vbs::InvokeMethod, {Variant::fromLong(2)}, result, exception), HResult::Ok);
    EXPECT_EQ(vbs::toLong(result), 42);
    EXPECT_EQ(object.invoke(id, vbs::InvokeMethod, {}, result, exception), HResult::Exception);
    EXPECT_EQ(exception.code, 450);
}

TEST_F(HostInterface, ObjectsOutlivingTheirEngineAnswerWithAnError)
{
    Variant kept;
    {
        vbs::Engine shortLived;
        ASSERT_TRUE(shortLived.parse(QStringLiteral("Class K\n Public V\nEnd Class\nFunction Make()\n Set Make = New K\nEnd Function\n")));
        ASSERT_TRUE(shortLived.call(QStringLiteral("Make"), {}, &kept));
    }
    int id = 0;
    ASSERT_EQ(kept.objectPointer()->getIdOfName(QStringLiteral("v"), id), HResult::Ok);
    Variant result;
    vbs::ExceptionInfo exception;
    EXPECT_EQ(kept.objectPointer()->invoke(id, vbs::InvokePropertyGet, {}, result, exception), HResult::Exception);
}

TEST_F(HostInterface, StepLimitStopsEndlessLoops)
{
    engine.setStepLimit(10000);
    EXPECT_FALSE(engine.parse(QStringLiteral("x = 1\nDo\nLoop\n")));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].description, QStringLiteral("Script interrupted"));
    errors.clear();
    // On Error Resume Next cannot swallow the interruption.
    EXPECT_FALSE(engine.parse(QStringLiteral("On Error Resume Next\nWhile True\n  y = 1 / 0\nWend\n")));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].number, vbs::ErrInterrupted);
}

TEST_F(HostInterface, InterruptCheckCancelsARun)
{
    int polls = 0;
    engine.setInterruptCheck([&] { return ++polls >= 3; });
    EXPECT_FALSE(engine.parse(QStringLiteral("Do\n  n = n + 1\nLoop\n")));
    EXPECT_GE(polls, 3);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].line, 1);
}

TEST_F(HostInterface, MessageBoxHookReceivesPromptAndButtons)
{
    QString seenPrompt;
    int seenButtons = -1;
    engine.setMessageBoxHook([&](const QString& prompt, int buttons, const QString&) {
        seenPrompt = prompt;
        seenButtons = buttons;
        return 6; // Yes
    });
    ASSERT_TRUE(engine.parse(QStringLiteral("If MsgBox(\"Go on?\", vbYesNo) = vbYes Then Print \"yes\"")));
    EXPECT_EQ(seenPrompt, QStringLiteral("Go on?"));
    EXPECT_EQ(seenButtons, 4);
    EXPECT_EQ(console->lines, QStringList({QStringLiteral("yes")}));
}

} // namespace
