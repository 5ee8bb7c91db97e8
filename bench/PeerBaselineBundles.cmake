# cmake -DBUNDLE=<built Tandrel.vst3> -DOUT=<folder> -P PeerBaselineBundles.cmake
# Makes the baselines the peer comparison's tests load: OUT/copy/Tandrel.vst3, a copy of the
# built bundle (another file with the same code), and OUT/linked/Tandrel.vst3, whose library is
# a hard link to the built one (the same file under another path).
file(REMOVE_RECURSE "${OUT}")
file(COPY "${BUNDLE}" DESTINATION "${OUT}/copy")

file(GLOB_RECURSE libraries RELATIVE "${BUNDLE}" "${BUNDLE}/Contents/*")

foreach(library IN LISTS libraries)
    get_filename_component(folder "${OUT}/linked/Tandrel.vst3/${library}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(CREATE_LINK "${BUNDLE}/${library}" "${OUT}/linked/Tandrel.vst3/${library}")
endforeach()
