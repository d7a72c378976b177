#include "view_probe.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(View3dLifecycle, RepaintsOnlyWhenTheAnglesChange)
{
    HostedView hosted;
    PaintCounter paints(*hosted.Widget());
    EXPECT_EQ(PaintsCausedBy(paints, [&] { hosted.view.Update(-10.0, 0.0, 358.56); }), 1);
    EXPECT_EQ(PaintsCausedBy(paints,
                             [&] {
                                 for (int tick = 0; tick < 20; ++tick) {
                                     hosted.view.Update(-10.0, 0.0, 358.56);
                                 }
                             }),
              0)
        << "a gimbal standing still costs nothing";
    EXPECT_EQ(PaintsCausedBy(paints, [&] { hosted.view.Update(-10.0, 0.01, 358.56); }), 1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(PaintsCausedBy(paints, [&] { hosted.view.Update(nan, nan, nan); }), 0)
        << "angles that are not numbers are ignored";
    EXPECT_EQ(hosted.Widget()->ShownAttitude(), (Attitude{-10.0, 0.01, 358.56}));
}

TEST(View3dLifecycle, AnglesGivenBeforeInitAreShownByIt)
{
    QWidget host;
    host.resize(455, 210);
    KRQShow3DLibExp view;
    view.Update(5.0, -20.0, 90.0);
    view.Init(&host, 0, 1.0);
    ASSERT_NE(host.findChild<AttitudeViewWidget*>(), nullptr);
    EXPECT_EQ(host.findChild<AttitudeViewWidget*>()->ShownAttitude(), (Attitude{5.0, -20.0, 90.0}));
}

TEST(View3dLifecycle, DestructorCopesWithTheHostGoneFirst)
{
    auto view = std::make_unique<KRQShow3DLibExp>();
    {
        HostedView hosted;
        // Move the library's view into a host that dies before the library.
        view->Init(hosted.host.get(), 0, 1.0);
        view->Update(1.0, 2.0, 3.0);
        Settle();
    }
    // Kept for the next host, without touching the gone one's children.
    view->Update(4.0, 5.0, 6.0);
    QWidget next_host;
    view->Init(&next_host, 0, 1.0);
    ASSERT_NE(next_host.findChild<AttitudeViewWidget*>(), nullptr);
    EXPECT_EQ(next_host.findChild<AttitudeViewWidget*>()->ShownAttitude(), (Attitude{4.0, 5.0, 6.0}));
    view.reset();
    EXPECT_TRUE(next_host.findChildren<AttitudeViewWidget*>().isEmpty());
}

TEST(View3dLifecycle, DestructorTakesTheViewOutOfALivingHost)
{
    QWidget host;
    {
        KRQShow3DLibExp view;
        view.Init(&host, 0, 1.0);
        EXPECT_EQ(host.findChildren<AttitudeViewWidget*>().size(), 1);
        view.Init(&host, 1, 2.0);
        EXPECT_EQ(host.findChildren<AttitudeViewWidget*>().size(), 1) << "a second Init replaces the view";
    }
    EXPECT_TRUE(host.findChildren<AttitudeViewWidget*>().isEmpty());
}

TEST(View3dLifecycle, InitWithoutAHostDropsTheViewAndUpdatesAreStillKept)
{
    QWidget host;
    KRQShow3DLibExp view;
    view.Init(&host, 0, 1.0);
    view.Init(nullptr, 0, 1.0);
    EXPECT_TRUE(host.findChildren<AttitudeViewWidget*>().isEmpty());
    view.Update(1.0, 2.0, 3.0);
    view.Init(&host, 0, 1.0);
    ASSERT_NE(host.findChild<AttitudeViewWidget*>(), nullptr);
    EXPECT_EQ(host.findChild<AttitudeViewWidget*>()->ShownAttitude(), (Attitude{1.0, 2.0, 3.0}));
}

TEST(View3dLifecycle, ViewFillsTheInsideOfItsHostAndFollowsItsSize)
{
    HostedView hosted;
    EXPECT_EQ(hosted.Widget()->geometry(), hosted.host->contentsRect());
    hosted.host->resize(600, 320);
    Settle();
    EXPECT_EQ(hosted.Widget()->geometry(), hosted.host->contentsRect());
    hosted.host->setFrameStyle(QFrame::NoFrame);
    Settle();
    EXPECT_EQ(hosted.Widget()->geometry(), QRect(0, 0, 600, 320));
}

} // namespace
