// The user guide of Help > Main Features and the texts of the About window. Both are
// plain core text: ISO 8859-1 (all ASCII here), lines separated by CR LF.
#pragma once

#include <string>

#include "convert/lab_file.h"

namespace rmx {

// The headings of the guide, in order: the overview, the four parts.
inline constexpr const char* GuideHeadings[] = {
    "                Main Features At a Glance",
    "                    I. Accepted File Formats",
    "                   II. The Menus on the Main Window",
    "            III. The Command Buttons in the Main Window",
    "              IV. The Command Line: remanex-cli",
};

// The whole guide.
std::string HelpText();

// The short example file the guide shows for a layout, exactly as printed there (TAB
// characters included); each converts to a sample file of two samples.
std::string GuideExample(Layout layout);

// The three labels of the About window.
std::string AboutAuthorText();
std::string AboutContactText();
std::string AboutHistoryText();

}  // namespace rmx
