# Packs the release zip so that one commit always gives the same bytes.
# usage: cmake -DZIP_TOOL=zip -DEXE=Tolvi.exe -DREADME=README.md -DLICENSE=LICENSE
#              -DSTAGE=folder -DOUTPUT=Tolvi-1.0-win64.zip -P Package.cmake
#
# Info-ZIP's zip rather than cmake -E tar: libarchive's zip writer stores
# each file's access and change times and its owner's ids, which no option
# turns off, so no two builds would match. zip -X stores none of them.
foreach(var ZIP_TOOL EXE README LICENSE STAGE OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "Package.cmake needs -D${var}=...")
  endif()
endforeach()
if(NOT ZIP_TOOL)
  message(FATAL_ERROR "zip was not found; install it with: apt-get install zip")
endif()

# 2026-01-01 00:00:00 UTC for every file. Zip keeps local DOS times, so the
# builder's time zone must not shift them.
set(mtime 1767225600)
set(ENV{TZ} UTC0)

# Text files with CRLF line ends, which Notepad before Windows 10 needs.
function(write_crlf text to)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${to} "${text}")
endfunction()

# A fresh folder each time, so no file of an earlier package comes along.
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(COPY_FILE ${EXE} ${STAGE}/Tolvi.exe)
# The README for Windows users: no pictures, which the zip does not hold, and
# nothing after the mark where the developers' part begins.
file(READ ${README} text)
string(FIND "${text}" "<!-- README.txt ends here -->" cut)
if(cut EQUAL -1)
  message(FATAL_ERROR "${README} has no line <!-- README.txt ends here -->")
endif()
string(SUBSTRING "${text}" 0 ${cut} text)
string(REGEX REPLACE "!\\[[^]]*\\]\\([^)]*\\)\n\n" "" text "${text}")
write_crlf("${text}" ${STAGE}/README.txt)
file(READ ${LICENSE} text)
write_crlf("${text}" ${STAGE}/LICENSE.txt)
# Tolvi.exe's checksum, for a copy taken out of the zip to another PC.
file(SHA256 ${STAGE}/Tolvi.exe hash)
write_crlf("${hash}  Tolvi.exe\n" ${STAGE}/Tolvi.exe.sha256)

# Modes and times as fixed as the contents, whatever the builder's umask.
set(files Tolvi.exe README.txt LICENSE.txt Tolvi.exe.sha256)
file(CHMOD ${STAGE}/Tolvi.exe PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(CHMOD ${STAGE}/README.txt ${STAGE}/LICENSE.txt ${STAGE}/Tolvi.exe.sha256
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
execute_process(COMMAND touch -d @${mtime} ${files} WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)

# zip adds to an existing archive, and a cut-short one must never take the
# real name: pack a new file, then move it in place.
set(packed ${STAGE}.zip)
file(REMOVE ${packed})
execute_process(COMMAND ${ZIP_TOOL} -X -D -q ${packed} ${files} WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${packed} ${OUTPUT})

get_filename_component(name ${OUTPUT} NAME)
file(SHA256 ${OUTPUT} hash)
file(WRITE ${OUTPUT}.sha256 "${hash}  ${name}\n")
