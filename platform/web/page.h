#pragma once

#include <QString>
#include <emscripten/val.h>

// The page around the program, which stands in for what a desktop has: a place for errors, a
// live region for the screen reader, a way to end.
namespace web::page {

// Calls the hook the page set on the module; a page without it gets nothing.
void call(const char* hook, const emscripten::val& argument);
void call(const char* hook, const QString& text);

} // namespace web::page
