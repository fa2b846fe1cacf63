#pragma once

#include "support/LogicFixture.h"

// The panel tests' controller has a loopback address of its own, so other test programs
// running at the same time never share its port.
class PanelTest : public support::LogicFixture {
 protected:
  PanelTest() : LogicFixture("127.0.0.21") {}
};
