// Start-up of the add-on: what InitQorAddOn113 does.
#pragma once

namespace quorvin::builder {

// Sets the defaults, allocates the host objects that live until quit,
// registers the add-on, checks the host version, adds the menu option and
// installs the state-change callback.
void InitAddOn();

} // namespace quorvin::builder
