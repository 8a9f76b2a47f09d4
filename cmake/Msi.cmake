# Builds Tolvi.msi from the zip's staged files so that one commit always
# gives the same bytes.
# usage: cmake -DWIXL=wixl -DPYTHON=python3 -DVERSION=1.0.0 -DZIP_STAGE=folder -DSETUP_DLL=TolviSetup.dll
#              -DWXS=Tolvi.wxs -DSUMMARY=msi_summary.py -DSTAGE=folder -DOUTPUT=Tolvi.msi -P Msi.cmake
foreach(var WIXL PYTHON VERSION ZIP_STAGE SETUP_DLL WXS SUMMARY STAGE OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "Msi.cmake needs -D${var}=...")
  endif()
endforeach()
if(NOT WIXL)
  message(FATAL_ERROR "wixl was not found; install it with: apt-get install wixl python3-gi gir1.2-libmsi-1.0")
endif()

# The zip's time for every file: the cabinet inside keeps each file's time.
set(mtime 1767225600)
set(ENV{TZ} UTC0)

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
foreach(name Tolvi.exe README.txt LICENSE.txt)
  file(COPY_FILE ${ZIP_STAGE}/${name} ${STAGE}/${name})
endforeach()
file(COPY_FILE ${SETUP_DLL} ${STAGE}/TolviSetup.dll)
file(COPY_FILE ${WXS} ${STAGE}/Tolvi.wxs)
execute_process(COMMAND touch -d @${mtime} Tolvi.exe README.txt LICENSE.txt TolviSetup.dll
                WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)

# A product code per version, so that a major upgrade replaces the older
# one, and a package code per content: both derived, not drawn.
string(UUID product NAMESPACE 6F0C3A52-1D4B-4E7A-9C21-5B8E0D7F4A13 NAME "Tolvi ${VERSION}" TYPE SHA1 UPPER)
set(inputs "")
foreach(name Tolvi.exe README.txt LICENSE.txt TolviSetup.dll Tolvi.wxs)
  file(SHA256 ${STAGE}/${name} hash)
  string(APPEND inputs "${hash}")
endforeach()
string(UUID package NAMESPACE 6F0C3A52-1D4B-4E7A-9C21-5B8E0D7F4A13 NAME "${VERSION} ${inputs}" TYPE SHA1 UPPER)

# wixl reads File sources relative to where it runs. A cut-short MSI must
# never take the real name: build a new file, then move it in place.
set(built ${STAGE}/Tolvi.msi)
execute_process(COMMAND ${WIXL} -a x64 -D Version=${VERSION} -D ProductCode=${product} -o ${built} Tolvi.wxs
                WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${PYTHON} ${SUMMARY} ${built} "{${package}}" ${mtime} COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${built} ${OUTPUT})

get_filename_component(name ${OUTPUT} NAME)
file(SHA256 ${OUTPUT} hash)
file(WRITE ${OUTPUT}.sha256 "${hash}  ${name}\n")
