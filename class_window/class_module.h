// The class window's module: the one function shell/ looks up in it at the
// first click of "班级汇总". The window, its chart (Qt Charts) and its
// printing are built into this module, so that the program starts without
// them; tests link the library directly.
#pragma once

class QDialog;

namespace zorvel::classroom {

class ClassData;

inline constexpr char kClassModule[] = "zorvel-class-window";
inline constexpr char kCreateClassWindowFunction[] = "zorvelCreateClassWindow";

// Returns a new window the caller owns, as createClassWindow() makes it.
using CreateClassWindowFunction = QDialog* (*)(ClassData& data);

} // namespace zorvel::classroom
