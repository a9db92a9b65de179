#include "mapdata/JpegErrors.h"

namespace {

void JumpBack(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->Message);
  std::longjmp(errors->Jump, 1);
}

}  // namespace

jpeg_error_mgr* UseJpegErrors(JpegErrors& errors) {
  errors.Message[0] = '\0';
  jpeg_error_mgr* manager = jpeg_std_error(&errors.Base);
  manager->error_exit = JumpBack;
  return manager;
}
