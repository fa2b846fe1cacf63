#pragma once

#include "support/LogicFixture.h"

// The application tests' controller has a loopback address of its own, so other test
// programs running at the same time never share its port.
class AppTest : public support::LogicFixture {
 protected:
  AppTest() : LogicFixture("127.0.0.22") {}
};
