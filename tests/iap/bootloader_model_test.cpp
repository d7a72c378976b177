#include "libs/iap/boot_messages.h"
#include "sim/bootloader_model.h"

#include <gtest/gtest.h>

namespace {

// The simulated bootloader, driven packet by packet without a line by the
// upgrade engine's own packets: the two sides are written apart, so this checks
// one against the other.
class BootloaderModelTest : public testing::Test {
protected:
    BootPacket Ask(BootType type, const std::vector<uint8_t>& payload = {})
    {
        const std::vector<uint8_t> bytes = BootPacketBytes(type, payload);
        m_model.Receive(bytes.data(), bytes.size());
        std::vector<BootPacket> answers;
        BootPacketDecoder decoder;
        decoder.Feed(m_model.Output().data(), m_model.Output().size(), answers);
        m_model.Output().clear();
        return answers.empty() ? BootPacket{} : answers.back();
    }

    BootAnswer Begin(const std::vector<uint8_t>& image)
    {
        const BeginRequest request{static_cast<uint32_t>(image.size()), 24,
                                   ComputeSha256(image.data(), image.size())};
        return *DecodeAnswer(Ask(BootType::kBegin, EncodeBegin(request)).m_payload);
    }

    BootAnswer Write(uint32_t offset, const std::vector<uint8_t>& image, size_t count)
    {
        const std::vector<uint8_t> packet = EncodeWritePacket(offset, image.data() + offset, count);
        m_model.Receive(packet.data(), packet.size());
        std::vector<BootPacket> answers;
        BootPacketDecoder decoder;
        decoder.Feed(m_model.Output().data(), m_model.Output().size(), answers);
        m_model.Output().clear();
        return *DecodeAnswer(answers.back().m_payload);
    }

    VerifyAnswer Verify() { return *DecodeVerifyAnswer(Ask(BootType::kVerify).m_payload); }

    SimFlash m_flash{16 * 1024, 2048, 23};
    BootloaderModel m_model{BootloaderOptions{}, m_flash};
    std::vector<uint8_t> m_image = std::vector<uint8_t>(5000, 0x5A);
};

TEST_F(BootloaderModelTest, ErasesPageByPageAsWritesArriveAndMarksTheImageValidLast)
{
    ASSERT_EQ(Begin(m_image).m_offset, 0u);
    EXPECT_FALSE(m_flash.Mark().valid) << "the old image stops being bootable at begin";
    EXPECT_EQ(m_flash.PageErasures(), 0u);
    EXPECT_EQ(Write(0, m_image, 1024).m_offset, 1024u);
    EXPECT_EQ(m_flash.PageErasures(), 1u);
    EXPECT_EQ(Verify().m_status, BootStatus::kIncomplete);
    for (uint32_t offset = 1024; offset < m_image.size(); offset += 1024)
        Write(offset, m_image, std::min<size_t>(1024, m_image.size() - offset));
    EXPECT_EQ(m_flash.PageErasures(), 3u);
    EXPECT_FALSE(m_flash.Mark().valid);
    EXPECT_EQ(Verify().m_status, BootStatus::kOk);
    EXPECT_TRUE(m_flash.Mark().valid);
    EXPECT_EQ(m_flash.Mark().version, 24);
    EXPECT_EQ(DecodeAnswer(Ask(BootType::kBoot).m_payload)->m_status, BootStatus::kOk);
    EXPECT_TRUE(m_model.WantsToStartImage());
}

TEST_F(BootloaderModelTest, NamesTheExpectedOffsetForAWriteOutOfOrder)
{
    Begin(m_image);
    Write(0, m_image, 1024);
    const BootAnswer skipped = Write(2048, m_image, 1024);
    EXPECT_EQ(skipped.m_status, BootStatus::kOutOfOrder);
    EXPECT_EQ(skipped.m_offset, 1024u);
    const BootAnswer repeated = Write(0, m_image, 1024);
    EXPECT_EQ(repeated.m_status, BootStatus::kOutOfOrder);
    EXPECT_EQ(repeated.m_offset, 1024u);
}

TEST_F(BootloaderModelTest, ResumesTheSameImageAndStartsOverForAnother)
{
    Begin(m_image);
    Write(0, m_image, 1024);
    m_model.Restart(); // a power cut: the session is in flash
    EXPECT_EQ(Begin(m_image).m_offset, 1024u);
    std::vector<uint8_t> other = m_image;
    other[10] = 1;
    EXPECT_EQ(Begin(other).m_offset, 0u);
}

TEST_F(BootloaderModelTest, RefusesImagesItCannotHoldAndBootsNothingUnverified)
{
    EXPECT_EQ(Begin(std::vector<uint8_t>(17 * 1024)).m_status, BootStatus::kTooLarge);
    EXPECT_TRUE(m_flash.Mark().valid) << "a refused begin leaves the old image alone";
    EXPECT_EQ(Write(0, m_image, 10).m_status, BootStatus::kNoSession);
    Begin(m_image);
    EXPECT_EQ(DecodeAnswer(Ask(BootType::kBoot).m_payload)->m_status, BootStatus::kNoValidImage);
}

TEST_F(BootloaderModelTest, AFlashThatDiffersFromTheHashFailsVerification)
{
    std::vector<uint8_t> announced = m_image;
    announced[4000] ^= 0xFF;
    const BeginRequest request{static_cast<uint32_t>(m_image.size()), 24,
                               ComputeSha256(announced.data(), announced.size())};
    Ask(BootType::kBegin, EncodeBegin(request));
    for (uint32_t offset = 0; offset < m_image.size(); offset += 1024)
        Write(offset, m_image, std::min<size_t>(1024, m_image.size() - offset));
    const VerifyAnswer answer = Verify();
    EXPECT_EQ(answer.m_status, BootStatus::kHashMismatch);
    EXPECT_EQ(answer.m_computed_hash, ComputeSha256(m_image.data(), m_image.size()));
    EXPECT_FALSE(m_flash.Mark().valid);
}

} // namespace
