#pragma once
// The open dialog for pictures: beside the standard controls a preview
// pane shows the picture under the cursor, reduced to fit and centred, with
// its size in pixels above it. A file that cannot be loaded as a picture
// (or a folder) just shows no preview.

#include "framework/dialogs/DialogTemplate.h"
#include "framework/dialogs/FileDialogs.h"
#include "framework/graphics/Bitmap.h"

#include <memory>
#include <string>

// The filter for choosing wallpapers: first every picture the program can
// put on the desktop ("All files (*.bmp;*.jpg;...)"), then each kind. The
// dialog's own default adds the icons and metafiles it can also preview.
std::string WallpaperPictureFilter();

class TOpenPictureDialog : public TOpenDialog, public IOpenPictureDialog {
public:
    explicit TOpenPictureDialog(TComponent* owner);

    // The file the preview shows, or empty; its text ("640 x 480", or
    // "(None)"); the reduced picture, or nullptr.
    const std::string& PreviewFile() const { return previewFile_; }
    const std::string& PreviewText() const { return previewText_; }
    const TBitmap* PreviewPicture() const { return preview_.get(); }

protected:
    const DLGTEMPLATE* ChildTemplate() override { return template_.Get(); }
    void ChildCreated(HWND child) override;
    void SelectionChanged() override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;
    void DialogClosing() override;

private:
    void ShowPreview(const std::wstring& fileName);
    void ClearPreview();
    // The preview box's inside, in pixels.
    SIZE PreviewArea() const;

    TDialogTemplate template_;
    HWND child_ = nullptr;
    // The file under the cursor as the dialog names it, and the path (UTF-8)
    // that the preview opened (empty when it has none).
    std::wstring shownFile_;
    std::string previewFile_;
    std::string previewText_;
    std::unique_ptr<TBitmap> preview_;
};
