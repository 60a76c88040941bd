#pragma once

#include "app/MainForm.h"

namespace sorvane {

// Tests set up states that a user would take many steps to reach; no
// front-end reaches the form's state this way.
struct FormTestAccess {
    static FormState& Of(MainForm& form) { return form.state_; }
};

namespace test {
inline FormState& Setup(MainForm& form) { return FormTestAccess::Of(form); }
}  // namespace test

}  // namespace sorvane
