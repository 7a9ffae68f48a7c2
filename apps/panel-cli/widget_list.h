#ifndef MORVEL_APPS_PANEL_CLI_WIDGET_LIST_H_
#define MORVEL_APPS_PANEL_CLI_WIDGET_LIST_H_

#include <string>

namespace morvel {

// Every widget a host or a test can address, by name, as one Markdown page
// (docs/widgets.md is this text): the panel's widgets as its layout tables
// build them, section by section, then the warning dialog's.
std::string WidgetListMarkdown();

}  // namespace morvel

#endif  // MORVEL_APPS_PANEL_CLI_WIDGET_LIST_H_
