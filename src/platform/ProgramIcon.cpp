#include "platform/ProgramIcon.h"

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
