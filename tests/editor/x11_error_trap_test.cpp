// The plug-in's X error trap beside a host that has its own error handler and
// connections: traps nest, the plug-in's errors stay inside, and every error
// of the host's reaches the host's handler exactly once.
#include <gtest/gtest.h>

#include "editor/toolkit/x11/x11_error_trap.h"
#include "tests/support/x11_host.h"

using namespace VSTGUI;

namespace {

class X11ErrorTrapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!host.available()) GTEST_SKIP() << "no X display";
    ours = XOpenDisplay(nullptr);
    another = XOpenDisplay(nullptr);
    hostsSecond = host.openConnection();
    ASSERT_TRUE(ours && another && hostsSecond);
  }
  void TearDown() override {
    for (Display* d : {ours, another})
      if (d) XCloseDisplay(d);
  }

  X11Host host;
  Display* ours = nullptr;     // the plug-in's connection
  Display* another = nullptr;  // a second editor's connection
  Display* hostsSecond = nullptr;
};

}  // namespace

TEST_F(X11ErrorTrapTest, NestedTrapsKeepTheirOwnErrorsAndPassTheHostsOnOnce) {
  const int trappedBefore = TrappedX11Errors();
  {
    X11ErrorTrap outer(ours);
    X11Host::raiseError(ours);
    X11Host::raiseError(host.getDisplay());
    EXPECT_EQ(host.ownErrorsSeen(), 1);
    {
      X11ErrorTrap inner(ours);
      // Another connection while an inner trap is open: the host's handler, once.
      X11Host::raiseError(host.getDisplay());
      X11Host::raiseError(hostsSecond);
      EXPECT_EQ(host.ownErrorsSeen(), 3);
      X11Host::raiseError(ours);
      EXPECT_EQ(inner.errors(), 1);
      { X11ErrorTrap innermost(ours); }
      X11Host::raiseError(ours);
      X11Host::raiseError(host.getDisplay());
      EXPECT_EQ(inner.errors(), 2);
      EXPECT_EQ(host.ownErrorsSeen(), 4);
    }
    // Back in the outer trap only: still caught, and the host still hears its own.
    X11Host::raiseError(ours);
    X11Host::raiseError(host.getDisplay());
    X11Host::raiseError(hostsSecond);
    EXPECT_EQ(outer.errors(), 4);
    EXPECT_EQ(host.ownErrorsSeen(), 6);
    EXPECT_EQ(host.hostErrors(), 0);
  }
  EXPECT_EQ(TrappedX11Errors(), trappedBefore + 4);
  EXPECT_TRUE(X11Host::handlerIsTheHosts());
  // Outside every trap the plug-in's connection is no longer covered.
  X11Host::raiseError(ours);
  EXPECT_EQ(host.hostErrors(), 1);
  EXPECT_EQ(TrappedX11Errors(), trappedBefore + 4);
}

TEST_F(X11ErrorTrapTest, TrapsOnTwoOfThePluginsConnectionsNestInEachOther) {
  {
    X11ErrorTrap first(ours);
    {
      X11ErrorTrap second(another);
      X11Host::raiseError(ours);  // still inside the first trap
      X11Host::raiseError(another);
      X11Host::raiseError(host.getDisplay());
      EXPECT_EQ(second.errors(), 1);
      EXPECT_EQ(first.errors(), 1);
    }
    X11Host::raiseError(another);  // its trap has ended
    X11Host::raiseError(host.getDisplay());
    EXPECT_EQ(first.errors(), 1);
  }
  EXPECT_EQ(host.ownErrorsSeen(), 2);
  EXPECT_EQ(host.hostErrors(), 1);
  EXPECT_TRUE(X11Host::handlerIsTheHosts());
}

TEST_F(X11ErrorTrapTest, AHandlerTheHostSetsDuringATrapStaysAfterIt) {
  XErrorHandler hostsNewHandler = [](Display*, XErrorEvent*) { return 0; };
  {
    X11ErrorTrap trap(ours);
    XSetErrorHandler(hostsNewHandler);
  }
  const XErrorHandler current = XSetErrorHandler(hostsNewHandler);
  EXPECT_EQ(current, hostsNewHandler);
}
