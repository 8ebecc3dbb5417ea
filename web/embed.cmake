# Writes the page's files into one C++ source (web/assets.h says what it
# defines): per file its URL path, content type, bytes, gzip bytes and ETag.
#   cmake -DFILES="/index.html=PATH|/js/main.js=PATH|..." -DOUTPUT=assets.cpp
#         -DGZIP=gzip -DWORK=scratch-folder -P embed.cmake
# The gzip bytes are kept only when smaller than the file; each form has its
# own strong ETag (its bytes' SHA-256, 16 hex digits), as the two differ.
cmake_minimum_required(VERSION 3.22)

foreach(var FILES OUTPUT GZIP WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "embed.cmake: -D${var}=... is missing")
  endif()
endforeach()
file(MAKE_DIRECTORY ${WORK})

function(content_type url out)
  string(REGEX MATCH "[^.]*$" ext "${url}")
  string(TOLOWER "${ext}" ext)
  set(html "text/html; charset=utf-8")
  set(css "text/css; charset=utf-8")
  set(js "text/javascript; charset=utf-8")
  set(svg "image/svg+xml")
  set(png "image/png")
  set(ico "image/x-icon")
  set(json "application/json")
  set(webmanifest "application/manifest+json")
  if(NOT ext MATCHES "^(html|css|js|svg|png|ico|json|webmanifest)$")
    message(FATAL_ERROR "embed.cmake: ${url}: no content type for .${ext} (known: html css js svg png ico json "
                        "webmanifest); add it here or leave the file out of the page")
  endif()
  set(${out} "${${ext}}" PARENT_SCOPE)
endfunction()

# The bytes of `file` as the body of a C array, 32 a line; its length in `size`.
string(REPEAT "[0-9a-f]" 64 line_of_hex)
function(c_bytes file out size)
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR bytes "${digits} / 2")
  string(REGEX REPLACE "(${line_of_hex})" "\\1\n    " hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  set(${out} "    ${hex}" PARENT_SCOPE)
  set(${size} ${bytes} PARENT_SCOPE)
endfunction()

function(etag file out)
  file(SHA256 ${file} sum)
  string(SUBSTRING "${sum}" 0 16 sum)
  set(${out} "\\\"${sum}\\\"" PARENT_SCOPE)
endfunction()

string(REPLACE "|" ";" files "${FILES}")
set(arrays "")
set(rows "")
set(seen "")
set(index 0)
set(raw_total 0)
set(gz_total 0)
set(served_total 0)
foreach(entry IN LISTS files)
  if(NOT entry MATCHES "^([^=]+)=(.+)$")
    message(FATAL_ERROR "embed.cmake: \"${entry}\" is not URL=FILE")
  endif()
  set(url "${CMAKE_MATCH_1}")
  set(path "${CMAKE_MATCH_2}")
  # Only names a browser asks for unchanged: no escapes to undo, no dot
  # folders, no two files on one path.
  if(NOT url MATCHES "^(/[A-Za-z0-9_-][A-Za-z0-9_.-]*)+$")
    message(FATAL_ERROR "embed.cmake: ${path}: its name must be letters, digits, '.', '_' or '-' (served as ${url})")
  endif()
  if(url IN_LIST seen)
    message(FATAL_ERROR "embed.cmake: two files would be served as ${url}")
  endif()
  list(APPEND seen "${url}")
  content_type("${url}" type)

  set(gz "${WORK}/${index}.gz")
  execute_process(COMMAND ${GZIP} -9 -n -c ${path} OUTPUT_FILE ${gz} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "embed.cmake: gzip failed on ${path}")
  endif()

  c_bytes(${path} raw_bytes raw_size)
  etag(${path} raw_tag)
  file(SIZE ${gz} gz_size)
  math(EXPR raw_total "${raw_total} + ${raw_size}")
  math(EXPR gz_total "${gz_total} + ${gz_size}")
  if(raw_size GREATER 0)
    string(APPEND arrays "const unsigned char raw${index}[] = {\n${raw_bytes}\n};\n")
    set(raw "bytes(raw${index}, sizeof raw${index})")
  else()
    set(raw "{}")
  endif()
  if(gz_size LESS raw_size)
    c_bytes(${gz} gz_bytes gz_size)
    etag(${gz} gz_tag)
    string(APPEND arrays "const unsigned char gz${index}[] = {\n${gz_bytes}\n};\n")
    set(gzip "bytes(gz${index}, sizeof gz${index})")
    set(gzip_tag "\"${gz_tag}\"")
    math(EXPR served_total "${served_total} + ${gz_size}")
  else()
    set(gzip "{}")
    set(gzip_tag "{}")
    math(EXPR served_total "${served_total} + ${raw_size}")
  endif()
  string(APPEND rows "        {\"${url}\", \"${type}\", ${raw}, ${gzip}, \"${raw_tag}\", ${gzip_tag}},\n")
  math(EXPR index "${index} + 1")
endforeach()

if(index EQUAL 0)
  message(FATAL_ERROR "embed.cmake: no files given")
endif()

file(WRITE ${OUTPUT} "// Written by web/embed.cmake from the page's files at build time.
#include \"web/assets.h\"

namespace tav::web::detail {
namespace {

${arrays}
std::string_view bytes(const unsigned char* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace

std::span<const Asset> assets() {
    static const Asset table[] = {
${rows}    };
    return table;
}

}  // namespace tav::web::detail
")
message(STATUS "web: ${index} files, ${raw_total} bytes, ${gz_total} gzipped; "
               "${served_total} sent to a browser taking gzip (each file's smaller form)")
