#pragma once

#include "support/LogicFixture.h"

// The panel tests' controllers live on 127.21.x.y (see LogicFixture).
class PanelTest : public support::LogicFixture {
 protected:
  PanelTest() : LogicFixture(21) {}
};
