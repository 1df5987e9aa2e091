// The DirectShow filter graph behind the music: source filter by file name, the chain the graph
// builds from its output pin, and the graph's events.
#include "se/music_output_dshow.h"

#include <windows.h>
#include <dshow.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/event_log.h"
#include "se/music_file_name.h"

namespace se {

namespace {

constexpr const char* kTag = "SE";

std::string hexCode(HRESULT result) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
  return text;
}

// Why DirectShow gave no source filter for `file`, in the words the other engines use for the
// same faults; what the file system cannot explain is DirectShow's own refusal.
std::string whyNoSource(const std::wstring& file, HRESULT result) {
  struct _stat64 status;
  if (_wstat64(file.c_str(), &status) != 0) {
    return std::string("cannot be opened: ") + std::strerror(errno);
  }
  if ((status.st_mode & _S_IFDIR) != 0) {
    return "is a folder, not a file";
  }
  if (status.st_size == 0) {
    return "is empty";
  }
  return "cannot be played: DirectShow gives error " + hexCode(result);
}

bool isEmptyFile(const std::wstring& file) {
  struct _stat64 status;
  return _wstat64(file.c_str(), &status) == 0 && (status.st_mode & _S_IFREG) != 0 && status.st_size == 0;
}

template <typename Interface>
void release(Interface*& object) {
  if (object != nullptr) {
    object->Release();
    object = nullptr;
  }
}

}  // namespace

MusicOutputDShow::~MusicOutputDShow() {
  if (mediaControl != nullptr) {
    mediaControl->Stop();
  }
  release(mediaEvent);
  release(mediaControl);
  release(mediaPosition);
  release(basicAudio);
  release(graph);
}

bool MusicOutputDShow::Create(std::string& reason) {
  HRESULT result = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                    reinterpret_cast<void**>(&graph));
  if (FAILED(result) || graph == nullptr) {
    graph = nullptr;
    reason = "no DirectShow filter graph: error " + hexCode(result);
    return false;
  }
  const struct {
    const IID& id;
    void** field;
    const char* name;
  } controls[] = {
      {IID_IMediaControl, reinterpret_cast<void**>(&mediaControl), "IMediaControl"},
      {IID_IMediaPosition, reinterpret_cast<void**>(&mediaPosition), "IMediaPosition"},
      {IID_IBasicAudio, reinterpret_cast<void**>(&basicAudio), "IBasicAudio"},
      {IID_IMediaEvent, reinterpret_cast<void**>(&mediaEvent), "IMediaEvent"},
  };
  for (const auto& control : controls) {
    result = graph->QueryInterface(control.id, control.field);
    if (FAILED(result) || *control.field == nullptr) {
      *control.field = nullptr;
      reason = std::string("the DirectShow filter graph has no ") + control.name + ": error " + hexCode(result);
      return false;
    }
  }
  return true;
}

bool MusicOutputDShow::Open(const std::wstring& file, std::string& reason) {
  if (!openFile.empty()) {
    Close();
  }
  // The file's name is also its source filter's name, by which Close finds it again.
  IBaseFilter* source = nullptr;
  const HRESULT added = graph->AddSourceFilter(file.c_str(), file.c_str(), &source);
  if (FAILED(added) || source == nullptr) {
    reason = whyNoSource(file, added);
    return false;
  }
  openFile = file;
  IPin* output = nullptr;
  HRESULT rendered = source->FindPin(L"Output", &output);
  if (SUCCEEDED(rendered) && output != nullptr) {
    rendered = graph->Render(output);
    output->Release();
  }
  source->Release();
  if (FAILED(rendered)) {
    // The graph has the file but no way to the speakers: the game goes on without music.
    std::string name;
    if (!NarrowFileName(file, name)) {
      name = "(a name with no form in this locale)";
    }
    const std::string why = isEmptyFile(file) ? "is empty"
                                              : "cannot be decoded here (DirectShow error " + hexCode(rendered) + ")";
    LogMessage(kTag, ("music file \"" + name + "\" " + why + ": the music stays silent").c_str());
  }
  completed = false;
  return true;
}

void MusicOutputDShow::Close() {
  if (openFile.empty()) {
    return;
  }
  IBaseFilter* source = nullptr;
  if (SUCCEEDED(graph->FindFilterByName(openFile.c_str(), &source)) && source != nullptr) {
    graph->RemoveFilter(source);
    source->Release();
  }
  openFile.clear();
  completed = false;
}

void MusicOutputDShow::Run() {
  mediaControl->Run();
}

void MusicOutputDShow::Stop() {
  mediaControl->Stop();
}

void MusicOutputDShow::Seek(double seconds) {
  // A completion queued before the seek belongs to the pass that ended: read it now, so that it
  // does not cut the next pass short.
  ReadEvents();
  mediaPosition->put_CurrentPosition(seconds);
  completed = false;
}

double MusicOutputDShow::Position() {
  if (Completed()) {
    return StopTime();
  }
  REFTIME position = 0.0;
  mediaPosition->get_CurrentPosition(&position);
  return position;
}

double MusicOutputDShow::StopTime() {
  REFTIME stopTime = 0.0;
  mediaPosition->get_StopTime(&stopTime);
  return stopTime;
}

void MusicOutputDShow::SetVolume(std::int32_t hundredths) {
  basicAudio->put_Volume(hundredths);
}

std::int32_t MusicOutputDShow::Volume() {
  long volume = 0;
  basicAudio->get_Volume(&volume);
  return volume;
}

bool MusicOutputDShow::Completed() {
  ReadEvents();
  return completed;
}

void MusicOutputDShow::ReadEvents() {
  long code = 0;
  LONG_PTR first = 0;
  LONG_PTR second = 0;
  while (mediaEvent->GetEvent(&code, &first, &second, 0) == S_OK) {
    if (code == EC_COMPLETE) {
      completed = true;
    }
    mediaEvent->FreeEventParams(code, first, second);
  }
}

}  // namespace se
