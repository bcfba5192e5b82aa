#include "platform/gui/ZYN_jpeg.h"

// jpeglib.h needs size_t and FILE declared first.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <csetjmp>
#include <exception>
#include <functional>

#include <jpeglib.h>

#include "platform/gui/ZYN_bmpcodec.h"

namespace zyn {

namespace {

// libjpeg reports errors through a callback that must not return. C++
// exceptions must not cross its C frames, so errors longjmp back to the
// function that started the job; those functions keep every object with a
// destructor in the job record outside their own frame.

struct TJpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnJpegError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<TJpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->Message);
  std::longjmp(err->Jump, 1);
}

void OnJpegMessage(j_common_ptr cinfo, int level) {
  // Warnings mean corrupt or truncated data, which we refuse.
  if (level < 0) OnJpegError(cinfo);
}

/// What a decode or encode works on, and how it failed.
struct TJob {
  std::function<void(std::int32_t)> Progress;
  std::exception_ptr Failure;   ///< an exception of the progress handler or an allocation
  TBitmap* Picture = nullptr;   ///< decode: receives the pixels; encode: the source
  std::int32_t Quality = 90;
  unsigned char* Encoded = nullptr; ///< encode: malloc'ed by libjpeg
  unsigned long EncodedSize = 0;
};

struct TProgressHook {
  jpeg_progress_mgr Manager;
  TJob* Job;
  TJpegError* Error;
  std::int32_t LastPercent;
};

void OnJpegProgress(j_common_ptr cinfo) {
  auto* hook = reinterpret_cast<TProgressHook*>(cinfo->progress);
  const jpeg_progress_mgr& m = hook->Manager;
  if (m.pass_limit <= 0 || m.total_passes <= 0) return;
  const auto percent = static_cast<std::int32_t>(
      (std::int64_t(m.completed_passes) * 100 + std::int64_t(m.pass_counter) * 100 / m.pass_limit) / m.total_passes);
  if (percent == hook->LastPercent) return;
  hook->LastPercent = percent;
  bool failed = false;
  try {
    hook->Job->Progress(percent);
  } catch (...) {
    hook->Job->Failure = std::current_exception();
    failed = true;
  }
  if (failed) {
    std::strcpy(hook->Error->Message, "aborted");
    std::longjmp(hook->Error->Jump, 1);
  }
}

void InstallHooks(j_common_ptr cinfo, TJpegError& err, TProgressHook& hook, TJob& job) {
  cinfo->err = jpeg_std_error(&err.Manager);
  err.Manager.error_exit = OnJpegError;
  err.Manager.emit_message = OnJpegMessage;
  err.Message[0] = 0;
  hook.Manager.progress_monitor = OnJpegProgress;
  hook.Job = &job;
  hook.Error = &err;
  hook.LastPercent = -1;
}

bool AllocatePicture(TJob& job, JDIMENSION w, JDIMENSION h) noexcept {
  try {
    if (std::int64_t(w) * h > MaxBmpPixels) throw EJPEG("JPEG image is not valid: picture too large");
    job.Picture->SetSize(static_cast<std::int32_t>(w), static_cast<std::int32_t>(h));
    return true;
  } catch (...) {
    job.Failure = std::current_exception();
    return false;
  }
}

/// Adobe CMYK files store inverted ink values.
void CmykToPixels(TPixel* row, JDIMENSION w, bool inverted) {
  auto* bytes = reinterpret_cast<std::uint8_t*>(row);
  for (JDIMENSION x = 0; x < w; ++x) {
    std::uint32_t c = bytes[4 * x], m = bytes[4 * x + 1], y = bytes[4 * x + 2], k = bytes[4 * x + 3];
    if (!inverted) {
      c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    }
    row[x] = 0xFF000000u | ((c * k / 255) << 16) | ((m * k / 255) << 8) | (y * k / 255);
  }
}

/// Decodes into job.Picture; false with a message on failure.
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, TJob& job, char* message) {
  jpeg_decompress_struct cinfo;
  TJpegError err;
  TProgressHook hook;
  InstallHooks(reinterpret_cast<j_common_ptr>(&cinfo), err, hook, job);
  if (setjmp(err.Jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::strcpy(message, err.Message);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.progress = &hook.Manager;
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
  jpeg_start_decompress(&cinfo);
  if (!AllocatePicture(job, cinfo.output_width, cinfo.output_height)) {
    jpeg_destroy_decompress(&cinfo);
    std::strcpy(message, "picture too large");
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    TPixel* row = job.Picture->ScanLine(static_cast<std::int32_t>(cinfo.output_scanline));
    JSAMPROW rows[1] = {reinterpret_cast<JSAMPROW>(row)};
    jpeg_read_scanlines(&cinfo, rows, 1);
    if (cmyk)
      CmykToPixels(row, cinfo.output_width, cinfo.saw_Adobe_marker);
    else
      for (JDIMENSION x = 0; x < cinfo.output_width; ++x) row[x] |= 0xFF000000u;
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

/// Encodes job.Picture into job.Encoded; false with a message on failure.
bool EncodeJpeg(TJob& job, char* message) {
  jpeg_compress_struct cinfo;
  TJpegError err;
  TProgressHook hook;
  InstallHooks(reinterpret_cast<j_common_ptr>(&cinfo), err, hook, job);
  if (setjmp(err.Jump)) {
    jpeg_destroy_compress(&cinfo);
    std::strcpy(message, err.Message);
    return false;
  }
  jpeg_create_compress(&cinfo);
  cinfo.progress = &hook.Manager;
  jpeg_mem_dest(&cinfo, &job.Encoded, &job.EncodedSize);
  cinfo.image_width = static_cast<JDIMENSION>(job.Picture->Width());
  cinfo.image_height = static_cast<JDIMENSION>(job.Picture->Height());
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, job.Quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW rows[1] = {
        reinterpret_cast<JSAMPROW>(job.Picture->ScanLine(static_cast<std::int32_t>(cinfo.next_scanline)))};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

[[noreturn]] void RaiseFailure(const TJob& job, const char* message, const char* what) {
  if (job.Failure) std::rethrow_exception(job.Failure);
  throw EJPEG(std::string(what) + message);
}

} // namespace

void TJPEGImage::SetCompressionQuality(std::int32_t Value) noexcept { FQuality = std::clamp(Value, 1, 100); }

void TJPEGImage::Progress(TProgressStage Stage, std::int32_t Percent) const {
  FireProgress(OnProgress, const_cast<TJPEGImage*>(this), Stage, Percent, Rect(0, 0, Width(), Height()));
}

void TJPEGImage::LoadFromBytes(const std::vector<std::uint8_t>& Bytes) {
  TBitmap decoded;
  TJob job;
  job.Picture = &decoded;
  job.Progress = [this](std::int32_t percent) { Progress(psRunning, percent); };
  char message[JMSG_LENGTH_MAX] = {};
  Progress(psStarting, 0);
  if (Bytes.empty()) throw EJPEG("JPEG image is not valid: empty file");
  if (!DecodeJpeg(Bytes.data(), Bytes.size(), job, message)) RaiseFailure(job, message, "JPEG image is not valid: ");
  decoded.SetPixelFormat(pf24bit);
  FPicture.Assign(&decoded);
  Progress(psEnding, 100);
}

void TJPEGImage::LoadFromStream(TStream& Stream) { LoadFromBytes(ReadToEnd(Stream)); }

void TJPEGImage::LoadFromFile(const std::string& FileName) {
  TFileStream file(FileName, fmOpenRead);
  LoadFromStream(file);
}

void TJPEGImage::SaveToStream(TStream& Stream) const {
  if (Empty()) throw EJPEG("Cannot write an empty JPEG image");
  TJob job;
  job.Picture = const_cast<TBitmap*>(&FPicture); // read only
  job.Quality = FQuality;
  job.Progress = [this](std::int32_t percent) { Progress(psRunning, percent); };
  char message[JMSG_LENGTH_MAX] = {};
  Progress(psStarting, 0);
  const bool ok = EncodeJpeg(job, message);
  // libjpeg allocated the output with malloc, also when it failed half-way.
  const std::vector<std::uint8_t> bytes(job.Encoded, job.Encoded + (ok ? job.EncodedSize : 0));
  std::free(job.Encoded);
  if (!ok) RaiseFailure(job, message, "JPEG encoding failed: ");
  Stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  Progress(psEnding, 100);
}

void TJPEGImage::SaveToFile(const std::string& FileName) const {
  TFileStream file(FileName, fmCreate);
  SaveToStream(file);
}

void TJPEGImage::Assign(const TPersistent* Source) {
  if (const auto* bmp = dynamic_cast<const TBitmap*>(Source)) {
    FPicture.Assign(bmp);
    FPicture.SetPixelFormat(pf24bit);
    return;
  }
  if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(Source)) {
    if (jpeg == this) return;
    FPicture.Assign(&jpeg->FPicture);
    FQuality = jpeg->FQuality;
    return;
  }
  TPersistent::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest) const {
  if (auto* bmp = dynamic_cast<TBitmap*>(Dest)) {
    bmp->Assign(&FPicture);
    return;
  }
  TPersistent::AssignTo(Dest);
}

} // namespace zyn
