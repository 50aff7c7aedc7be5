// Message texts of the evaluator, kept in one place so that every element words its
// errors the same way.
#pragma once

#include <QString>

namespace exprmsg {

inline const char* const notPrepared = "Evaluator not prepared";
inline const char* const divideByZero = "Cannot divide by 0";
inline const char* const invalidNot = "Invalid use of NOT";
inline const char* const conversionError = "Conversion error";
inline const char* const invalidSqrt = "Invalid argument to SQRT function";
inline const char* const divisionByZero = "Division by Zero";
inline const char* const invalidFormat = "Invalid format or value specified";
inline const char* const tooManyArguments = "Too many arguments";
inline const char* const recursiveCall = "Recursive calls not allowed";
inline const char* const tooComplex = "Expression too complex";

QString errorInExpression(const QString& text);
QString missing(const QString& what);
QString illegalNumericCharacter(const QString& text);
QString unknownFunction(const QString& name);
QString operatorNotCompatible(const QString& op, const QString& kindName);
QString cannotOperate(const QString& verb, const QString& kindName);
QString fieldOfUnknownType(const QString& fieldName);
QString wrongArguments(const QString& function);
QString missingArgument(const QString& function);
QString countTooManyArguments();

} // namespace exprmsg
