// What a screen reader reads of the main window beyond the names in the
// layout table: the window's own name and the preview's information, which
// the window shows only as painted labels.

#include "app/MainForm.h"

void TMainForm::WireAccessibility()
{
    // The caption stays what it is; a screen reader says the program's name.
    SetAccessibleName("Tessivo");
    previewPanel->SetAccessibleDescription([this] { return PreviewDescription(); });
}

std::string TMainForm::PreviewDescription() const
{
    std::string description;
    const auto add = [&description](const std::string& title, const TLabel& label) {
        if (!label.Visible() || label.Caption().empty())
            return;
        if (!description.empty())
            description += "; ";
        description += title + label.Caption();
    };
    add("Name: ", *nameLabel);
    add("Size: ", *sizeLabel);
    add("Path: ", *pathLabel);
    add("", *totalLabel);
    return description;
}
