#include "protocol/frame_synchroniser.h"

#include "protocol_test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Feeds bytes and collects every frame handed on.
class SyncRecorder {
public:
    void Feed(const std::vector<uint8_t>& bytes)
    {
        for (uint8_t byte : bytes) {
            if (m_sync.FeedSyncByte(byte))
                frames.push_back(m_sync.Frame());
        }
    }
    void Feed(const ProtocolFrame& frame) { Feed(std::vector<uint8_t>(frame.begin(), frame.end())); }

    std::vector<ProtocolFrame> frames;

private:
    FrameSynchroniser m_sync;
};

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> head, size_t filler_count, uint8_t filler = 0x11)
{
    std::vector<uint8_t> bytes(head);
    bytes.insert(bytes.end(), filler_count, filler);
    return bytes;
}

TEST(FrameSynchroniser, RunOfFirstHeaderBytesStartsAtTheLast)
{
    SyncRecorder sync;
    sync.Feed(Bytes({0x6C, 0x6C, 0x6C, 0xB9}, 78));
    ASSERT_EQ(sync.frames.size(), 1u);
    EXPECT_EQ(sync.frames[0][0], 0x6C);
    EXPECT_EQ(sync.frames[0][1], 0xB9);
    EXPECT_EQ(sync.frames[0][2], 0x11);
    EXPECT_EQ(sync.frames[0][79], 0x11);
}

TEST(FrameSynchroniser, BrokenHeaderStartsNothing)
{
    SyncRecorder sync;
    sync.Feed(Bytes({0x6C, 0x00, 0xB9}, 200));
    sync.Feed(Bytes({0xB9, 0x6C}, 0));
    sync.Feed(Bytes({0x12}, 100)); // the 0x6C above is cancelled by 0x12
    EXPECT_TRUE(sync.frames.empty());
}

TEST(FrameSynchroniser, HeaderInsidePayloadIsData)
{
    const ProtocolFrame frame = InboundFrame(0, 33, {{30, 0x6C}, {31, 0xB9}, {76, 0x6C}, {77, 0xB9}});
    SyncRecorder sync;
    sync.Feed(frame);
    sync.Feed(frame);
    ASSERT_EQ(sync.frames.size(), 2u);
    EXPECT_EQ(sync.frames[0], frame);
    EXPECT_EQ(sync.frames[1], frame);
}

TEST(FrameSynchroniser, BackToBackSplitAndGarbledStreams)
{
    const ProtocolFrame a = InboundFrame(1, 33, {{40, 7}});
    const ProtocolFrame b = InboundFrame(0, 34, {{22, 9}});
    std::vector<uint8_t> stream{0x00, 0xB9, 0x6C, 0x42}; // leading noise
    stream.insert(stream.end(), a.begin(), a.end());
    stream.insert(stream.end(), b.begin(), b.end());
    stream.insert(stream.end(), {0x6C, 0x6C});
    stream.insert(stream.end(), a.begin(), a.end());

    // Every split of the stream into two bursts gives the same frames.
    for (size_t cut = 0; cut <= stream.size(); cut += 7) {
        SyncRecorder sync;
        sync.Feed(std::vector<uint8_t>(stream.begin(), stream.begin() + cut));
        sync.Feed(std::vector<uint8_t>(stream.begin() + cut, stream.end()));
        ASSERT_EQ(sync.frames.size(), 3u) << "cut " << cut;
        EXPECT_EQ(sync.frames[0], a);
        EXPECT_EQ(sync.frames[1], b);
        EXPECT_EQ(sync.frames[2], a);
    }
}

TEST(FrameSynchroniser, FrameCutShortIsCompletedByLaterBytesAndThenResyncs)
{
    const ProtocolFrame frame = InboundFrame(0, 33);
    SyncRecorder sync;
    sync.Feed(std::vector<uint8_t>(frame.begin(), frame.begin() + 30)); // link stopped here
    sync.Feed(frame);                                                   // next connection
    sync.Feed(frame);
    ASSERT_EQ(sync.frames.size(), 2u);
    EXPECT_FALSE(CheckFrame(sync.frames[0])); // 30 old bytes + 50 new: dropped by the decoder
    // The 80th byte of the spliced frame sits inside the second copy; the
    // synchroniser hunts again from there and finds the third copy whole.
    EXPECT_EQ(sync.frames[1], frame);
}

} // namespace
