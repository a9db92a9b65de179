#pragma once
// The libjpeg error manager of the JPEG decoder and encoder.  libjpeg reports a
// fatal error by calling error_exit, whose default ends the process; this one
// keeps libjpeg's message and jumps back to the call that armed Jump (with
// setjmp), which then cleans up and fails.  Only plain data may live in the
// frames a jump leaves, so that it skips no destructor.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

struct JpegErrors {
  jpeg_error_mgr Base;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];  // libjpeg's text (English)
};

// Makes `errors` the error manager of a (de)compressor: cinfo.err = UseJpegErrors(errors).
jpeg_error_mgr* UseJpegErrors(JpegErrors& errors);
