# Packs the demo history folder: each page is converted from UTF-8 to GBK, as the client stores
# pages, and packed with its pictures by krvmsg under a name of the client's grammar.
# Usage: cmake -DKRVMSG=<tool> -DSOURCE=<demo folder> -DOUTPUT=<history folder> -P PackDemo.cmake
cmake_minimum_required(VERSION 3.25)

# name | link | page | pictures (comma separated)
set(messages
    "1=abc20261103093000.msg|http://www.korvan.example/volumes/2026-11|bound-volume.htm|bookcover.jpg"
    "2=abc20261028140512.msg|http://www.korvan.example/books/security|new-book.htm|bookcover.jpg"
    "3=abc20261101081500.msg|http://www.korvan.example/news/browser-updates|industry-news.htm|"
    "4=abc20261103093000.msg|http://www.korvan.example/alerts/hibernator-b|virus-alert.htm|warning.jpg,landscape.jpg"
    "4=abc20261029170245.msg|http://www.korvan.example/alerts/parcel-phishing|virus-alert-old.htm|"
    "5=abc20261030120000.msg|http://www.korvan.example/ebooks/windows-programming|e-book.htm|bookcover.jpg"
    "6=abc20261102213000.msg|http://bbs.korvan.example/tech/old-computers|bbs-tech.htm|"
    "7=abc20261031193000.msg|http://bbs.korvan.example/fun/landscapes|bbs-fun.htm|landscape.jpg")

get_filename_component(pages_gbk "${OUTPUT}/../pages-gbk" ABSOLUTE)
file(REMOVE_RECURSE "${OUTPUT}" "${pages_gbk}")
file(MAKE_DIRECTORY "${OUTPUT}" "${pages_gbk}")

foreach(message IN LISTS messages)
    string(REPLACE "|" ";" fields "${message}")
    list(GET fields 0 name)
    list(GET fields 1 link)
    list(GET fields 2 page)
    list(GET fields 3 pictures)
    string(REPLACE "," ";" pictures "${pictures}")
    list(TRANSFORM pictures PREPEND "${SOURCE}/pictures/")

    execute_process(COMMAND iconv -f UTF-8 -t GBK "${SOURCE}/pages/${page}"
        OUTPUT_FILE "${pages_gbk}/${page}" RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "Cannot convert ${page} to GBK")
    endif()
    execute_process(COMMAND "${KRVMSG}" pack -o "${OUTPUT}/${name}" --link "${link}"
        --page "${pages_gbk}/${page}" ${pictures} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "krvmsg could not pack ${name}")
    endif()
endforeach()
