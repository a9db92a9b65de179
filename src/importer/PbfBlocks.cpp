#include "importer/PbfBlocks.h"

#include <osmium/io/detail/input_format.hpp>
#include <osmium/io/detail/pbf.hpp>
#include <osmium/io/detail/pbf_decoder.hpp>
#include <osmium/io/detail/read_write.hpp>
#include <osmium/io/error.hpp>
#include <protozero/pbf_reader.hpp>

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#ifdef TELLURIN_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

#include "importer/ObjectLimits.h"
#include "importer/PbfTagText.h"

namespace {

using osmium::io::detail::parser_arguments;
namespace entity = osmium::osm_entity_bits;

// --- which file ---------------------------------------------------------

struct FileIdentity {
  uint64_t Volume = 0, Index = 0, Size = 0;
  int64_t Modified = 0;
  bool operator<(const FileIdentity& o) const {
    return std::tie(Volume, Index, Size, Modified) < std::tie(o.Volume, o.Index, o.Size, o.Modified);
  }
};

// Nothing when the descriptor is no regular file (nothing is remembered then).
std::optional<FileIdentity> IdentityOf(int fd) {
#ifdef _WIN32
  BY_HANDLE_FILE_INFORMATION info;
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  const auto join = [](DWORD high, DWORD low) { return (uint64_t{high} << 32) | low; };
  return FileIdentity{info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
                      join(info.nFileSizeHigh, info.nFileSizeLow),
                      static_cast<int64_t>(join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime))};
#else
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return FileIdentity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
                      static_cast<uint64_t>(st.st_size),
                      static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
#endif
}

// --- what each block of a file holds ------------------------------------

// The kinds of object in each data block, by the block's offset in the file.
using BlockKinds = std::unordered_map<uint64_t, entity::type>;

// The files read whole lately; a few, as one import reads one file.
class KnownFiles {
 public:
  // Never destroyed: a decoding thread of libosmium's pool, which outlives
  // main, may still tell it about a block while the program exits after a
  // failed read.
  static KnownFiles& Instance() {
    static auto* known = new KnownFiles;
    return *known;
  }
  std::shared_ptr<const BlockKinds> Find(const FileIdentity& file) {
    std::lock_guard lock{mutex_};
    for (const auto& [identity, kinds] : files_)
      if (!(identity < file) && !(file < identity)) return kinds;
    return nullptr;
  }
  void Remember(const FileIdentity& file, std::shared_ptr<const BlockKinds> kinds) {
    std::lock_guard lock{mutex_};
    if (files_.size() == kMostFiles) files_.pop_front();
    files_.emplace_back(file, std::move(kinds));
  }

 private:
  static constexpr size_t kMostFiles = 4;
  std::mutex mutex_;
  std::deque<std::pair<FileIdentity, std::shared_ptr<const BlockKinds>>> files_;
};

// What one pass learns, block by block as the pool decodes them; handed to
// KnownFiles once every block of the file has been seen.
class Learning {
 public:
  explicit Learning(const FileIdentity& file) : file_(file) {}

  void Saw(uint64_t offset, entity::type kinds) {
    std::lock_guard lock{mutex_};
    kinds_[offset] = kinds;
    PublishIfWhole();
  }
  // Every data block has been handed out; `blocks` of them.
  void Ended(size_t blocks) {
    std::lock_guard lock{mutex_};
    blocks_ = blocks;
    PublishIfWhole();
  }

 private:
  void PublishIfWhole() {
    if (!blocks_ || kinds_.size() != *blocks_ || published_) return;
    published_ = true;
    KnownFiles::Instance().Remember(file_, std::make_shared<const BlockKinds>(std::move(kinds_)));
  }

  const FileIdentity file_;
  std::mutex mutex_;
  BlockKinds kinds_;
  std::optional<size_t> blocks_;
  bool published_ = false;
};

// PrimitiveBlock field 2 is a group; a group's field says its kind.
constexpr protozero::pbf_tag_type kGroupField = 2;

entity::type KindOfGroupField(protozero::pbf_tag_type field) {
  switch (field) {
    case 1:  // nodes
    case 2:  // dense nodes
      return entity::node;
    case 3:
      return entity::way;
    case 4:
      return entity::relation;
    case 5:
      return entity::changeset;
    default:
      return entity::nothing;
  }
}

// The kinds of object in an inflated PrimitiveBlock; all of them when it
// cannot be read (the decoder then says what is wrong).
entity::type KindsIn(protozero::data_view block) {
  entity::type kinds = entity::nothing;
  try {
    protozero::pbf_reader message{block};
    while (message.next(kGroupField, protozero::pbf_wire_type::length_delimited)) {
      protozero::pbf_reader group = message.get_message();
      while (group.next()) {
        kinds |= KindOfGroupField(group.tag());
        group.skip();
      }
    }
  } catch (const protozero::exception&) {
    return entity::all;
  }
  return kinds;
}

// --- inflating -----------------------------------------------------------

#ifdef TELLURIN_HAVE_LIBDEFLATE
struct DecompressorFree {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

// A zlib blob inflated by libdeflate into `output`; false for anything else
// (raw, other compressions, a damaged stream), left to libosmium.
bool InflatedQuickly(const std::string& blob, std::string& output) {
  protozero::data_view zlib;
  int64_t rawSize = -1;
  try {
    protozero::pbf_reader message{blob};
    while (message.next()) {
      if (message.tag() == 2 && message.wire_type() == protozero::pbf_wire_type::varint)
        rawSize = message.get_int32();
      else if (message.tag() == 3 && message.wire_type() == protozero::pbf_wire_type::length_delimited)
        zlib = message.get_view();
      else
        message.skip();
    }
  } catch (const protozero::exception&) {
    return false;
  }
  if (zlib.data() == nullptr || rawSize <= 0 ||
      rawSize > static_cast<int64_t>(osmium::io::detail::max_uncompressed_blob_size))
    return false;
  thread_local std::unique_ptr<libdeflate_decompressor, DecompressorFree> decompressor{libdeflate_alloc_decompressor()};
  if (!decompressor) return false;
  output.resize(static_cast<size_t>(rawSize));
  size_t inflated = 0;
  return libdeflate_zlib_decompress(decompressor.get(), zlib.data(), zlib.size(), output.data(), output.size(),
                                    &inflated) == LIBDEFLATE_SUCCESS &&
         inflated == output.size();
}
#endif

protozero::data_view Inflate(const std::string& blob, std::string& output) {
#ifdef TELLURIN_HAVE_LIBDEFLATE
  if (InflatedQuickly(blob, output)) return {output.data(), output.size()};
  output.clear();
#endif
  return osmium::io::detail::decode_blob(blob, output);
}

// One data block decoded in the pool; what it holds told to the pass's Learning.
class BlockDecoder {
 public:
  BlockDecoder(std::string&& blob, uint64_t offset, entity::type wanted, osmium::io::read_meta meta,
               std::shared_ptr<Learning> learning)
      : blob_(std::make_shared<std::string>(std::move(blob))),
        offset_(offset),
        wanted_(wanted),
        meta_(meta),
        learning_(std::move(learning)) {}

  osmium::memory::Buffer operator()() {
    std::string inflated;
    const protozero::data_view block = Inflate(*blob_, inflated);
    if (std::string fault = PbfBlockTagFault(block); !fault.empty()) throw OversizeRecord(fault);
    if (learning_) learning_->Saw(offset_, KindsIn(block));
    osmium::io::detail::PBFPrimitiveBlockDecoder decoder{block, wanted_, meta_};
    return decoder();
  }

 private:
  std::shared_ptr<std::string> blob_;  // shared: the pool's task is copied
  uint64_t offset_;
  entity::type wanted_;
  osmium::io::read_meta meta_;
  std::shared_ptr<Learning> learning_;
};

// --- the parser ------------------------------------------------------------

class RememberingPbfParser final : public osmium::io::detail::Parser {
 public:
  explicit RememberingPbfParser(parser_arguments& args) : Parser(args), fd_(args.fd), offset_(args.offset_ptr) {}
  ~RememberingPbfParser() noexcept override = default;

  void run() override {
    osmium::thread::set_thread_name("_tellurin_pbf");
    ReadHeader();
    if (read_types() != entity::nothing) ReadData();
    osmium::io::detail::reliable_close(fd_);
  }

 private:
  bool ReadExactly(char* into, size_t size) {
    for (size_t done = 0; done < size;) {
      const auto got = osmium::io::detail::reliable_read(fd_, into + done, static_cast<unsigned int>(size - done));
      if (got == 0) return false;
      done += static_cast<size_t>(got);
    }
    Advance(size);
    return true;
  }

  void Advance(size_t size) {
    at_ += size;
    *offset_ += size;
  }

  // The size of the next blob, after its header says it is of `type`; 0 at
  // the end of the file.
  size_t NextBlobSize(const char* type) {
    std::array<char, 4> length{};
    if (!ReadExactly(length.data(), length.size())) return 0;
    const uint32_t headerSize = (uint32_t{static_cast<unsigned char>(length[0])} << 24) |
                                (uint32_t{static_cast<unsigned char>(length[1])} << 16) |
                                (uint32_t{static_cast<unsigned char>(length[2])} << 8) |
                                uint32_t{static_cast<unsigned char>(length[3])};
    if (headerSize > static_cast<uint32_t>(osmium::io::detail::max_blob_header_size))
      throw osmium::pbf_error{"invalid BlobHeader size (> max_blob_header_size)"};
    const std::string header = ReadBytes(headerSize);
    return DataSizeOf(header, type);
  }

  static size_t DataSizeOf(const std::string& header, const char* type) {
    protozero::pbf_reader message{header};
    protozero::data_view headerType;
    size_t size = 0;
    while (message.next()) {
      if (message.tag() == 1 && message.wire_type() == protozero::pbf_wire_type::length_delimited)
        headerType = message.get_view();
      else if (message.tag() == 3 && message.wire_type() == protozero::pbf_wire_type::varint)
        size = static_cast<size_t>(message.get_int32());
      else
        message.skip();
    }
    if (size == 0) throw osmium::pbf_error{"PBF format error: BlobHeader.datasize missing or zero."};
    if (std::string_view(headerType.data(), headerType.size()) != type)
      throw osmium::pbf_error{
          "blob does not have expected type (OSMHeader in first blob, OSMData in following blobs)"};
    return size;
  }

  std::string ReadBytes(size_t size) {
    if (size > osmium::io::detail::max_uncompressed_blob_size)
      throw osmium::pbf_error{"invalid blob size: " + std::to_string(size)};
    std::string bytes(size, '\0');
    if (!ReadExactly(bytes.data(), size)) throw osmium::pbf_error{"unexpected EOF"};
    return bytes;
  }

  // Past `size` bytes without reading them where the file can seek.
  void Skip(size_t size) {
    if (size > osmium::io::detail::max_uncompressed_blob_size)
      throw osmium::pbf_error{"invalid blob size: " + std::to_string(size)};
#ifdef _WIN32
    const bool sought = _lseeki64(fd_, static_cast<__int64>(size), SEEK_CUR) >= 0;
#else
    const bool sought = lseek(fd_, static_cast<off_t>(size), SEEK_CUR) >= 0;
#endif
    if (sought)
      Advance(size);
    else
      ReadBytes(size);
  }

  void ReadHeader() {
    const size_t size = NextBlobSize("OSMHeader");
    if (size == 0) throw osmium::pbf_error{"unexpected EOF"};
    set_header_value(osmium::io::detail::decode_header(ReadBytes(size)));
  }

  void ReadData() {
    const std::optional<FileIdentity> file = IdentityOf(fd_);
    const std::shared_ptr<const BlockKinds> known = file ? KnownFiles::Instance().Find(*file) : nullptr;
    const auto learning = file && !known ? std::make_shared<Learning>(*file) : nullptr;
    size_t blocks = 0;
    for (;;) {
      const uint64_t block = at_;
      const size_t size = NextBlobSize("OSMData");
      if (size == 0) break;
      ++blocks;
      if (known) {
        const auto kinds = known->find(block);
        if (kinds != known->end() && (kinds->second & read_types()) == entity::nothing) {
          Skip(size);
          continue;
        }
      }
      BlockDecoder decoder{ReadBytes(size), block, read_types(), read_metadata(), learning};
      if (osmium::config::use_pool_threads_for_pbf_parsing())
        send_to_output_queue(get_pool().submit(std::move(decoder)));
      else
        send_to_output_queue(decoder());
    }
    if (learning) learning->Ended(blocks);
  }

  int fd_;
  std::atomic<size_t>* offset_;
  uint64_t at_ = 0;  // where in the file the next read starts
};

}  // namespace

void UseRememberingPbfParser() {
  static std::once_flag once;
  std::call_once(once, [] {
    osmium::io::detail::ParserFactory::instance().register_parser(
        osmium::io::file_format::pbf, [](parser_arguments& args) {
          return std::unique_ptr<osmium::io::detail::Parser>(new RememberingPbfParser{args});
        });
  });
}
