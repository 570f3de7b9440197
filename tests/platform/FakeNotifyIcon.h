#pragma once
// A notification area for tests: records every request with a copy of the
// record, and answers as the shell does (a second add of the same window and
// identifier is refused, a modify or a version request works only on an
// icon it holds). Adds can
// be made to fail, as they do while Explorer starts at logon.

#include "platform/NotifyIcon.h"

#include <vector>

class TFakeNotifyIcon : public INotifyIcon {
public:
    struct Request {
        DWORD Message;
        NOTIFYICONDATAW Data;
    };

    bool Notify(DWORD message, NOTIFYICONDATAW& data) override
    {
        Requests.push_back({message, data});
        if (message == NIM_ADD) {
            if (Present || FailingAdds > 0) {
                FailingAdds -= FailingAdds > 0 ? 1 : 0;
                return false;
            }
            Present = true;
            return true;
        }
        if (message == NIM_MODIFY || message == NIM_SETVERSION)
            return Present;
        if (message == NIM_DELETE && Present) {
            Present = false;
            return true;
        }
        return false;
    }

    // The requests with this message, oldest first.
    std::vector<Request> Sent(DWORD message) const
    {
        std::vector<Request> sent;
        for (const Request& request : Requests)
            if (request.Message == message)
                sent.push_back(request);
        return sent;
    }

    std::vector<Request> Requests;
    bool Present = false;
    // How many of the next adds the shell refuses.
    int FailingAdds = 0;
};
