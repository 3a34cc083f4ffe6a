#include "settings/ui/tone_output.h"

#include "settings/tone_wave.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace velmar {

namespace {

constexpr int kSampleRate = 44100;
constexpr float kLevel = 0.4f;

// The samples in the sink's sample format, one channel duplicated to all.
QByteArray Encode(const std::vector<float>& wave, const QAudioFormat& format) {
    const int channels = std::max(1, format.channelCount());
    const int bytes = format.bytesPerSample();
    QByteArray data(static_cast<qsizetype>(wave.size()) * channels * bytes, '\0');
    char* out = data.data();
    for (float sample : wave) {
        for (int c = 0; c < channels; ++c, out += bytes) {
            switch (format.sampleFormat()) {
            case QAudioFormat::UInt8: {
                const auto v = static_cast<std::uint8_t>(128 + sample * 127);
                std::memcpy(out, &v, sizeof v);
                break;
            }
            case QAudioFormat::Int16: {
                const auto v = static_cast<std::int16_t>(sample * 32767);
                std::memcpy(out, &v, sizeof v);
                break;
            }
            case QAudioFormat::Int32: {
                const auto v = static_cast<std::int32_t>(sample * 2147483647.0);
                std::memcpy(out, &v, sizeof v);
                break;
            }
            case QAudioFormat::Float:
                std::memcpy(out, &sample, sizeof sample);
                break;
            default:
                break;
            }
        }
    }
    return data;
}

} // namespace

AudioToneOutput::AudioToneOutput(QObject* parent) : QObject(parent) {}

AudioToneOutput::~AudioToneOutput() {
    StopTone();
}

bool AudioToneOutput::HasDevice() {
    return EnsureSink();
}

bool AudioToneOutput::EnsureSink() {
    if (deviceChecked_)
        return sink_ != nullptr;
    deviceChecked_ = true;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    QAudioFormat format;
    format.setSampleRate(kSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        format = device.preferredFormat();
    if (format.sampleFormat() == QAudioFormat::Unknown || format.sampleRate() <= 0)
        return false;
    sink_ = new QAudioSink(device, format, this);
    return true;
}

void AudioToneOutput::StartTone(int hz, int ms) {
    StopTone();
    if (!EnsureSink())
        return;
    samples_ = Encode(SineTone(hz, ms, sink_->format().sampleRate(), kLevel), sink_->format());
    buffer_.setData(samples_);
    buffer_.open(QIODevice::ReadOnly);
    sink_->start(&buffer_);
    if (sink_->error() != QAudio::NoError)
        StopTone(); // a device that cannot open stays silent
}

void AudioToneOutput::StopTone() {
    if (sink_)
        sink_->stop();
    buffer_.close();
}

} // namespace velmar
