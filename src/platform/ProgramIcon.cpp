#include "platform/ProgramIcon.h"

#include "platform/Dpi.h"
#include "resources/resource.h"

namespace {

HICON LoadProgramIconSized(int width, int height)
{
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TESSIVO), IMAGE_ICON,
                                         width, height, LR_SHARED));
}

} // namespace

HICON LoadProgramIcon()
{
    return LoadProgramIconSized(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
}

HICON LoadSmallProgramIcon()
{
    return LoadProgramIconSized(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
}

int SmallIconSize(int dpi)
{
    return SystemMetricForDpi(SM_CXSMICON, dpi);
}

TSizedProgramIcon::TSizedProgramIcon(int size)
    : handle_(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TESSIVO),
                                            IMAGE_ICON, size, size, LR_DEFAULTCOLOR))),
      size_(size)
{
}

TSizedProgramIcon::~TSizedProgramIcon()
{
    if (handle_)
        DestroyIcon(handle_);
}

TSizedProgramIcon& TSizedProgramIcon::operator=(TSizedProgramIcon&& other) noexcept
{
    if (this != &other) {
        if (handle_)
            DestroyIcon(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
        size_ = other.size_;
    }
    return *this;
}
