// The process-wide registry of classes that form descriptions may name, so the reader can create
// a component from its class name.
#pragma once

#include <initializer_list>
#include <string_view>

#include "framework/Object.h"

namespace fw {

// Registers a class under its class name; registering the same class again does nothing, and
// another class of the same name raises EFilerError.
void RegisterClass(TClass cls);
void RegisterClasses(std::initializer_list<TClass> classes);
void UnRegisterClass(TClass cls);
// The registered class of that name (case ignored), or null.
TClass GetClass(std::string_view name);
// As GetClass, but a missing class raises EClassNotFound.
TClass FindClass(std::string_view name);

}  // namespace fw
