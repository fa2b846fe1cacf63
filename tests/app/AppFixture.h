#pragma once

#include "support/LogicFixture.h"

// The application tests' controllers live on 127.22.x.y (see LogicFixture).
class AppTest : public support::LogicFixture {
 protected:
  AppTest() : LogicFixture(22) {}
};
