// The Direct3D 9 engine's test helpers (see the header).
#include "tests/ge/d3d9_test_support.h"

#include <windows.h>
#include <wincodec.h>


namespace {

// Releases a COM object when the scope ends.
template <typename T>
struct ComReference {
  T* object = nullptr;
  ~ComReference() {
    if (object != nullptr) object->Release();
  }
  T** out() { return &object; }
  T* operator->() const { return object; }
};

std::wstring wide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring result(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, result.data(), length);
  result.resize(result.size() - 1);
  return result;
}

}  // namespace

bool ReadPngThroughWic(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgb,
                       std::string& error) {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  ComReference<IWICImagingFactory> factory;
  ComReference<IWICBitmapDecoder> decoder;
  ComReference<IWICBitmapFrameDecode> frame;
  ComReference<IWICFormatConverter> converter;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.out())))) {
    error = "no imaging component";
    return false;
  }
  if (FAILED(factory->CreateDecoderFromFilename(wide(path).c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.out())) ||
      FAILED(decoder->GetFrame(0, frame.out()))) {
    error = "cannot decode " + path;
    return false;
  }
  UINT frameWidth = 0;
  UINT frameHeight = 0;
  if (FAILED(factory->CreateFormatConverter(converter.out())) ||
      FAILED(converter->Initialize(frame.object, GUID_WICPixelFormat24bppRGB, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&frameWidth, &frameHeight))) {
    error = "cannot convert " + path + " to RGB";
    return false;
  }
  width = static_cast<int>(frameWidth);
  height = static_cast<int>(frameHeight);
  rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  if (FAILED(converter->CopyPixels(nullptr, frameWidth * 3, static_cast<UINT>(rgb.size()), rgb.data()))) {
    error = "cannot read the pixels of " + path;
    return false;
  }
  return true;
}

