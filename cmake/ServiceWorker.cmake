# Writes the web app's service worker into the site folder, after the game is linked:
# the list of every file of the site and a fingerprint of their contents.
#   cmake -DSITE=DIR -DTEMPLATE=FILE -DPROJECT_VERSION=V -P ServiceWorker.cmake
foreach(name SITE TEMPLATE PROJECT_VERSION)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "ServiceWorker.cmake needs -D${name}=...")
  endif()
endforeach()
set(worker service-worker.js)
file(GLOB files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files ${worker})
list(SORT files)
# The site's folder itself ("./") is its page too.
set(QUELMO_SITE_FILES "'./'")
set(sums "")
foreach(file ${files})
  file(SHA256 ${SITE}/${file} sum)
  string(APPEND sums "${file} ${sum}\n")
  string(APPEND QUELMO_SITE_FILES ", '${file}'")
endforeach()
string(SHA256 fingerprint "${sums}")
string(SUBSTRING ${fingerprint} 0 16 QUELMO_SITE_FINGERPRINT)
configure_file(${TEMPLATE} ${SITE}/${worker} @ONLY)
