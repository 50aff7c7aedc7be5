// Script errors: the language's error numbers, their texts, and the exception that carries them.
#pragma once

#include <QString>

#include <exception>

namespace vbs {

// Error numbers as scripts see them in Err.Number.
enum ErrorNumber : int {
    ErrInvalidCall = 5,
    ErrOverflow = 6,
    ErrOutOfMemory = 7,
    ErrSubscript = 9,
    ErrArrayFixed = 10,
    ErrDivisionByZero = 11,
    ErrTypeMismatch = 13,
    ErrOutOfStringSpace = 14,
    ErrOutOfStack = 28,
    ErrSubNotDefined = 35,
    ErrObjectNotSet = 91,
    ErrForNotInitialized = 92,
    ErrInvalidNull = 94,
    ErrObjectRequired = 424,
    ErrCannotCreateObject = 429,
    ErrNoSuchMember = 438,
    ErrNoSuchAction = 445,
    ErrWrongArguments = 450,
    ErrNotCollection = 451,
    ErrUndefinedVariable = 500,
    ErrIllegalAssignment = 501,
    ErrClassNotDefined = 506,
    ErrNameRedefined = 1041,
    ErrInterrupted = 1,           // step limit or host cancel; never trappable
    // Compile-time errors.
    ErrSyntax = 1002,
    ErrExpectedLParen = 1005,
    ErrExpectedRParen = 1006,
    ErrExpectedIdentifier = 1010,
    ErrExpectedEquals = 1011,
    ErrExpectedIf = 1012,
    ErrExpectedTo = 1013,
    ErrExpectedEnd = 1014,
    ErrExpectedFunction = 1015,
    ErrExpectedSub = 1016,
    ErrExpectedThen = 1017,
    ErrExpectedWend = 1018,
    ErrExpectedLoop = 1019,
    ErrExpectedNext = 1020,
    ErrExpectedCase = 1021,
    ErrExpectedSelect = 1022,
    ErrExpectedExpression = 1023,
    ErrExpectedStatement = 1024,
    ErrExpectedEndOfStatement = 1025,
    ErrExpectedInteger = 1026,
    ErrExpectedWhileUntil = 1027,
    ErrExpectedWith = 1029,
    ErrInvalidNumber = 1031,
    ErrInvalidCharacter = 1032,
    ErrUnterminatedString = 1033,
    ErrInvalidMe = 1037,
    ErrLoopWithoutDo = 1038,
    ErrInvalidExit = 1039,
    ErrInvalidForVariable = 1040,
    ErrParenthesesOnSubCall = 1044,
    ErrExpectedLiteral = 1045,
    ErrExpectedIn = 1046,
    ErrExpectedClass = 1047,
    ErrExpectedPropertyKind = 1049,
    ErrExpectedProperty = 1050,
    ErrMultipleDefaults = 1052,
    ErrClassEventArguments = 1053,
    ErrPropertyArguments = 1054,
    ErrUnexpectedNext = 1055,
    ErrDefaultNotPublic = 1057,
    ErrDefaultNotGet = 1058,
    ErrNestingTooDeep = 1059,
    ErrOptionExplicitPosition = 1060,
};

// The language's own description of an error number ("Type mismatch").
QString errorDescription(int number);

// True for errors found while parsing (they stop the whole text).
bool isCompileError(int number);

// A script error with the position of the statement that raised it (0-based line and
// character), and the text of that line once the engine knows it.
class ScriptError : public std::exception {
public:
    ScriptError() = default;
    explicit ScriptError(int number, const QString& detail = QString());
    ScriptError(int number, const QString& description, const QString& source);

    int number = 0;
    QString description;
    QString source;
    int line = -1;
    int column = -1;
    QString lineText;

    bool hasPosition() const { return line >= 0; }
    void setPosition(int atLine, int atColumn);
    const char* what() const noexcept override { return "script error"; }
};

// Raises the error with the language's description; `detail` names the offending item
// the way the language does ("Variable is undefined: 'x'").
[[noreturn]] void raise(int number, const QString& detail = QString());

} // namespace vbs
