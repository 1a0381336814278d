#pragma once

// Where the browser build reaches past Qt's public interface, all in qtinternals.cpp, checked
// against the one Qt it was written for.
namespace web {

// Turns the toolkit's own accessibility bridge on without the button it waits behind, so that
// Qt keeps the accessible interfaces up to date for the page's tree.
void activateToolkitAccessibility();

} // namespace web
