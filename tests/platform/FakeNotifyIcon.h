#pragma once
// A notification area for tests: records every request with a copy of the
// record, and answers as the shell does (a second add of the same window and
// identifier is refused).

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
            if (Present)
                return false;
            Present = true;
            return true;
        }
        if (message == NIM_DELETE && Present) {
            Present = false;
            return true;
        }
        return false;
    }

    std::vector<Request> Requests;
    bool Present = false;
};
