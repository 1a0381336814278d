#include "platform/web/page.h"

#include <string>

namespace web::page {

void call(const char* hook, const emscripten::val& argument) {
    const emscripten::val function = emscripten::val::module_property(hook);
    if (function.typeOf().as<std::string>() == "function") {
        function(argument);
    }
}

void call(const char* hook, const QString& text) {
    call(hook, emscripten::val(text.toStdString()));
}

} // namespace web::page
