<html><head><meta charset="utf-8"></head><body><h1>Über <b>uns</b></h1></body></html>
