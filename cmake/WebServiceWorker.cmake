# The service worker of one build (cmake -P): its cache is named by a digest of the site's
# files, so any change to any of them makes a new build that replaces the old one.
# -DSITE=folder -DFILES=a;b;c -DTEMPLATE=service-worker.js.in -DOUTPUT=service-worker.js
set(digests "")
set(quoted "")
foreach(file ${FILES})
  file(SHA256 ${SITE}/${file} digest)
  string(APPEND digests "${file} ${digest}\n")
  list(APPEND quoted "'${file}'")
endforeach()
string(SHA256 build "${digests}")
string(SUBSTRING ${build} 0 16 ZORBEX_BUILD)
list(JOIN quoted ", " ZORBEX_SITE_FILES)
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
