// Script errors: numbers, descriptions and the exception type.
#include "scripting/vbscript/errors.h"

#include "scripting/vbscript/limits.h"

#include <QHash>

namespace vbs {

namespace {

const QHash<int, QString>& descriptions()
{
    static const QHash<int, QString> table = {
        {ErrInvalidCall, QStringLiteral("Invalid procedure call or argument")},
        {ErrOverflow, QStringLiteral("Overflow")},
        {ErrOutOfMemory, QStringLiteral("Out of memory")},
        {ErrSubscript, QStringLiteral("Subscript out of range")},
        {ErrArrayFixed, QStringLiteral("This array is fixed or temporarily locked")},
        {ErrDivisionByZero, QStringLiteral("Division by zero")},
        {ErrTypeMismatch, QStringLiteral("Type mismatch")},
        {ErrOutOfStringSpace, QStringLiteral("Out of string space: a string may hold at most %1 characters")
                                  .arg(limits::maxStringLength)},
        {ErrOutOfStack, QStringLiteral("Out of stack space")},
        {ErrSubNotDefined, QStringLiteral("Sub or Function not defined")},
        {ErrObjectNotSet, QStringLiteral("Object variable not set")},
        {ErrForNotInitialized, QStringLiteral("For loop not initialized")},
        {ErrInvalidNull, QStringLiteral("Invalid use of Null")},
        {ErrObjectRequired, QStringLiteral("Object required")},
        {ErrCannotCreateObject, QStringLiteral("ActiveX component can't create object")},
        {ErrNoSuchMember, QStringLiteral("Object doesn't support this property or method")},
        {ErrNoSuchAction, QStringLiteral("Object doesn't support this action")},
        {ErrWrongArguments, QStringLiteral("Wrong number of arguments or invalid property assignment")},
        {ErrNotCollection, QStringLiteral("Object not a collection")},
        {ErrUndefinedVariable, QStringLiteral("Variable is undefined")},
        {ErrIllegalAssignment, QStringLiteral("Illegal assignment")},
        {ErrClassNotDefined, QStringLiteral("Class not defined")},
        {ErrNameRedefined, QStringLiteral("Name redefined")},
        {ErrInterrupted, QStringLiteral("Script interrupted")},
        {ErrSyntax, QStringLiteral("Syntax error")},
        {ErrExpectedLParen, QStringLiteral("Expected '('")},
        {ErrExpectedRParen, QStringLiteral("Expected ')'")},
        {ErrExpectedIdentifier, QStringLiteral("Expected identifier")},
        {ErrExpectedEquals, QStringLiteral("Expected '='")},
        {ErrExpectedIf, QStringLiteral("Expected 'If'")},
        {ErrExpectedTo, QStringLiteral("Expected 'To'")},
        {ErrExpectedEnd, QStringLiteral("Expected 'End'")},
        {ErrExpectedFunction, QStringLiteral("Expected 'Function'")},
        {ErrExpectedSub, QStringLiteral("Expected 'Sub'")},
        {ErrExpectedThen, QStringLiteral("Expected 'Then'")},
        {ErrExpectedWend, QStringLiteral("Expected 'Wend'")},
        {ErrExpectedLoop, QStringLiteral("Expected 'Loop'")},
        {ErrExpectedNext, QStringLiteral("Expected 'Next'")},
        {ErrExpectedCase, QStringLiteral("Expected 'Case'")},
        {ErrExpectedSelect, QStringLiteral("Expected 'Select'")},
        {ErrExpectedExpression, QStringLiteral("Expected expression")},
        {ErrExpectedStatement, QStringLiteral("Expected statement")},
        {ErrExpectedEndOfStatement, QStringLiteral("Expected end of statement")},
        {ErrExpectedInteger, QStringLiteral("Expected integer constant")},
        {ErrExpectedWhileUntil, QStringLiteral("Expected 'While' or 'Until'")},
        {ErrExpectedWith, QStringLiteral("Expected 'With'")},
        {ErrInvalidNumber, QStringLiteral("Invalid number")},
        {ErrInvalidCharacter, QStringLiteral("Invalid character")},
        {ErrUnterminatedString, QStringLiteral("Unterminated string constant")},
        {ErrInvalidMe, QStringLiteral("Invalid use of 'Me' keyword")},
        {ErrLoopWithoutDo, QStringLiteral("'loop' without 'do'")},
        {ErrInvalidExit, QStringLiteral("Invalid 'exit' statement")},
        {ErrInvalidForVariable, QStringLiteral("Invalid 'for' loop control variable")},
        {ErrParenthesesOnSubCall, QStringLiteral("Cannot use parentheses when calling a Sub")},
        {ErrExpectedLiteral, QStringLiteral("Expected literal constant")},
        {ErrExpectedIn, QStringLiteral("Expected 'In'")},
        {ErrExpectedClass, QStringLiteral("Expected 'Class'")},
        {ErrExpectedPropertyKind, QStringLiteral("Expected Let or Set or Get in property declaration")},
        {ErrExpectedProperty, QStringLiteral("Expected 'Property'")},
        {ErrMultipleDefaults, QStringLiteral("Cannot have multiple default property/method in a Class")},
        {ErrClassEventArguments, QStringLiteral("Class initialize or terminate do not have arguments")},
        {ErrPropertyArguments, QStringLiteral("Property set or let must have at least one argument")},
        {ErrUnexpectedNext, QStringLiteral("Unexpected 'Next'")},
        {ErrDefaultNotPublic, QStringLiteral("'Default' specification must also specify 'Public'")},
        {ErrDefaultNotGet, QStringLiteral("'Default' specification can only be on Property Get")},
        {ErrNestingTooDeep, QStringLiteral("Statements or expressions nested too deeply")},
        {ErrOptionExplicitPosition, QStringLiteral("Option Explicit must be the first statement")},
    };
    return table;
}

} // namespace

QString errorDescription(int number)
{
    const auto found = descriptions().constFind(number);
    return found != descriptions().constEnd() ? *found : QStringLiteral("Unknown runtime error");
}

bool isCompileError(int number) { return number >= 1000 && number < 1100; }

ScriptError::ScriptError(int errorNumber, const QString& detail)
    : number(errorNumber),
      description(detail.isEmpty() ? errorDescription(errorNumber)
                                   : errorDescription(errorNumber) + QStringLiteral(": '") + detail + QLatin1Char('\'')),
      source(isCompileError(errorNumber) ? QStringLiteral("VBScript compilation error")
                                         : QStringLiteral("VBScript runtime error"))
{
}

ScriptError::ScriptError(int errorNumber, const QString& errorDescriptionText, const QString& errorSource)
    : number(errorNumber), description(errorDescriptionText), source(errorSource)
{
}

void ScriptError::setPosition(int atLine, int atColumn)
{
    line = atLine;
    column = atColumn;
}

void raise(int number, const QString& detail) { throw ScriptError(number, detail); }

} // namespace vbs
