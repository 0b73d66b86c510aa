#pragma once
// The main window's find and replace dialogs. They search the text of the active
// child window (the hex window's page or the PLD window's map); the search state
// lives in FindReplace.
#include <functional>

#include "buffer/FindReplace.h"
#include "forms/Form.h"

namespace quarvin {

class TextWindow;

using ActiveWindow = std::function<TextWindow*()>;

class TFindDialog : public Form {
public:
    TFindDialog(FindReplace& steps, ActiveWindow active);
    std::string findText() { return control("Edit1").text(); }
    void OnFind();

private:
    FindReplace& steps_;
    ActiveWindow active_;
};

class TReplaceDialog : public Form {
public:
    TReplaceDialog(FindReplace& steps, ActiveWindow active);
    void OnRePlaceFind();
    void OnRePlace();
    void OnRePlaceAll();

private:
    FindReplace& steps_;
    ActiveWindow active_;
};

} // namespace quarvin
