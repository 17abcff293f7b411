#pragma once
// The host's message dialogs: a text with an icon and a set of buttons,
// answered through the widgetset (the current modal driver when headless).
#include "forms/FormTypes.h"

#include <string>

// Captioned by its kind: "Warning", "Error", "Information", "Confirm", and
// the application's title for mtCustom. Returns the result of the button.
TModalResult MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);
// The message with an OK button, captioned with the application's title.
void ShowMessage(const std::string& message);
