#include "catalog/InstallationData.h"

#include <algorithm>
#include <array>

namespace mirto {

namespace {

// clang-format off
constexpr std::array<TInstallationRecord, 25> kRecords = {{
//  ID   product name                                   version  date          home page                                            folder                      base executable
  {  9, u"Quorvane MP3 Encoder Shell",                  u"1.8",  u"08.02.2018", u"https://quorvane.example/mp3-encoder-shell/",      u"Mp3EncoderShell",         u"Mp3EncoderShell.exe"},
  { 12, u"Quorvane FLV to AVI/MPG Converter",           u"4.6",  u"03.12.2018", u"https://quorvane.example/flv-to-avi-mpg/",         u"FlvConverter",            u"FlvConverter.exe"},
  { 13, u"Quorvane 3GP to AVI/MPG Converter",           u"3.9",  u"16.04.2019", u"https://quorvane.example/3gp-to-avi-mpg/",         u"3gpConverter",            u"3gpConverter.exe"},
  { 14, u"Quorvane MP4 to AVI/MPG Converter",           u"5.2",  u"23.06.2019", u"https://quorvane.example/mp4-to-avi-mpg/",         u"Mp4Converter",            u"Mp4Converter.exe"},
  { 15, u"Quorvane MOV to AVI/MPG Converter",           u"4.1",  u"29.10.2018", u"https://quorvane.example/mov-to-avi-mpg/",         u"MovConverter",            u"MovConverter.exe"},
  { 16, u"Quorvane Video to FLV/SWF Converter",         u"2.7",  u"05.05.2017", u"https://quorvane.example/video-to-flv-swf/",       u"Video to FLV",            u"VideoToFlv.exe"},
  { 17, u"Quorvane Video to 3GP Converter",             u"2.3",  u"13.11.2017", u"https://quorvane.example/video-to-3gp/",           u"Video to 3GP",            u"VideoTo3gp.exe"},
  { 18, u"Quorvane Pocket Player Converter",            u"1.12", u"14.01.2017", u"https://quorvane.example/pocket-player/",          u"Pocket Player Converter", u"PocketPlayerConv.exe"},
  { 19, u"Quorvane Music Player Converter",             u"1.9",  u"26.08.2017", u"https://quorvane.example/music-player/",           u"Music Player Converter",  u"MusicPlayerConv.exe"},
  { 20, u"Quorvane Handheld Console Converter",         u"1.4",  u"22.09.2016", u"https://quorvane.example/handheld-console/",       u"Handheld Converter",      u"HandheldConv.exe"},
  { 21, u"Quorvane Audio Extractor and Converter",      u"6.15", u"06.10.2019", u"https://quorvane.example/audio-extractor/",        u"AudioExtractor",          u"AudioExtractor.exe"},
  { 25, u"Quorvane MKV to AVI/MPG Converter",           u"5.8",  u"14.09.2019", u"https://quorvane.example/mkv-to-avi-mpg/",         u"MkvConverter",            u"MkvConverter.exe"},
  { 26, u"Quorvane WebM to AVI/MPG Converter",          u"3.4",  u"02.03.2019", u"https://quorvane.example/webm-to-avi-mpg/",        u"WebmConverter",           u"WebmConverter.exe"},
  { 27, u"Quorvane Video to MP4 Converter",             u"4.11", u"11.05.2019", u"https://quorvane.example/video-to-mp4/",           u"Video to MP4",            u"VideoToMp4.exe"},
  { 28, u"Quorvane Video to WebM Converter",            u"2.2",  u"21.07.2018", u"https://quorvane.example/video-to-webm/",          u"Video to WebM",           u"VideoToWebm.exe"},
  { 29, u"Quorvane Video to OGV Converter",             u"3.0",  u"02.08.2019", u"https://quorvane.example/video-to-ogv/",           u"Video to OGV",            u"VideoToOgv.exe"},
  { 30, u"Quorvane FLAC to MP3/WAV and CUE Splitter",   u"2.9",  u"04.06.2018", u"https://quorvane.example/flac-cue-splitter/",      u"FlacSplitter",            u"FlacSplitter.exe"},
  { 31, u"Quorvane MP4/M4A to MP3/WAV Converter",       u"3.3",  u"12.01.2019", u"https://quorvane.example/mp4-m4a-to-mp3-wav/",     u"Mp4ToMp3",                u"Mp4ToMp3.exe"},
  { 32, u"Quorvane FLV to MP3/WAV Converter",           u"3.6",  u"30.05.2019", u"https://quorvane.example/flv-to-mp3-wav/",         u"FlvToMp3",                u"FlvToMp3.exe"},
  { 33, u"Quorvane AVI to MP3/WAV Converter",           u"3.5",  u"19.07.2019", u"https://quorvane.example/avi-to-mp3-wav/",         u"AviToMp3",                u"AviToMp3.exe"},
  { 34, u"Quorvane WebM to MP3/WAV Converter",          u"2.8",  u"28.08.2019", u"https://quorvane.example/webm-to-mp3-wav/",        u"WebmToMp3",               u"WebmToMp3.exe"},
  { 35, u"Quorvane AVI to MP4 Converter",               u"2.4",  u"07.02.2019", u"https://quorvane.example/avi-to-mp4/",             u"AviToMp4",                u"AviToMp4.exe"},
  { 36, u"Quorvane MKV to MP4 Converter",               u"2.6",  u"25.03.2019", u"https://quorvane.example/mkv-to-mp4/",             u"MkvToMp4",                u"MkvToMp4.exe"},
  { 37, u"Quorvane APE to MP3/WAV and CUE Splitter",    u"2.1",  u"20.04.2018", u"https://quorvane.example/ape-cue-splitter/",       u"ApeSplitter",             u"ApeSplitter.exe"},
  { 38, u"Quorvane WMA to MP3/WAV Converter",           u"1.7",  u"17.09.2018", u"https://quorvane.example/wma-to-mp3-wav/",         u"WmaToMp3",                u"WmaToMp3.exe"},
}};
// clang-format on

}  // namespace

const TInstallationRecord* FindInstallationRecord(int ID) {
  const auto found = std::find_if(kRecords.begin(), kRecords.end(),
                                  [ID](const TInstallationRecord& r) { return r.ID == ID; });
  return found == kRecords.end() ? nullptr : &*found;
}

std::span<const TInstallationRecord> InstallationRecords() { return kRecords; }

}  // namespace mirto
