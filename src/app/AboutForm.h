#pragma once
// The About box.

#include "framework/Form.h"

class TTessivo_About : public TForm {
public:
    explicit TTessivo_About(TComponent* owner);
};

extern TTessivo_About* Tessivo_About;
