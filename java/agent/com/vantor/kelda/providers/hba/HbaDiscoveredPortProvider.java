package com.vantor.kelda.providers.hba;

import com.vantor.kelda.KdClass;
import com.vantor.kelda.KdNamespace;

/**
 * Remote ports discovered through the host's adapter ports. The class shares the property
 * objects of HbaPortProvider, so port values address its instances too.
 */
public class HbaDiscoveredPortProvider {
    public static final KdClass _class = new KdClass("Solaris_HbaDiscoveredPort", KdNamespace.DEFAULT,
                                                     HbaPortProvider.PROPERTIES);
}
