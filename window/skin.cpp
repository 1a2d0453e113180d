// Decoding the skin and button images from the program's resources with WIC.
#include "window/skin.h"

#include <wincodec.h>

namespace {
struct ResourceBytes {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

// Resource memory stays mapped for the life of the module; nothing to free.
ResourceBytes findRcData(HINSTANCE instance, int id) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(instance, found);
    if (!loaded) return {};
    return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(instance, found)};
}
}  // namespace

Bitmap loadJpegResource(HINSTANCE instance, int id) {
    const ResourceBytes bytes = findRcData(instance, id);
    if (!bytes.data || bytes.size == 0) return {};

    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.putVoid())))
        return {};
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.put()))) return {};
    // WIC only reads the block; the resource itself is read-only memory.
    if (FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data), bytes.size))) return {};
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnLoad, decoder.put())))
        return {};
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put()))) return {};
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.put()))) return {};
    if (FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return {};
    UINT width = 0, height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0) return {};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, as WIC hands out its rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    const UINT stride = width * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) return {};
    return bitmap;
}

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP described{};
    if (!bitmap || !GetObjectA(bitmap, sizeof described, &described)) return {0, 0};
    return {described.bmWidth, described.bmHeight};
}
