#ifndef MORVEL_APPS_PANEL_CLI_WIDGET_LIST_H_
#define MORVEL_APPS_PANEL_CLI_WIDGET_LIST_H_

#include <functional>
#include <string>

namespace morvel {

class WidgetTree;

// Calls `use` with the widget tree of a panel as it is built, before the
// host lays it out or shows anything in it: every section's widgets at
// their designed captions.
void WithDesignedPanel(const std::function<void(const WidgetTree&)>& use);

// Every widget a host or a test can address, by name, as one Markdown page
// (docs/widgets.md is this text): the panel's widgets as its layout tables
// build them, section by section, then the warning dialog's.
std::string WidgetListMarkdown();

}  // namespace morvel

#endif  // MORVEL_APPS_PANEL_CLI_WIDGET_LIST_H_
